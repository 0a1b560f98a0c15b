pragma Singleton
import QtQuick

// The named colours of the dark theme. White text reads well on both
// "Background" and "Surface".
QtObject {
    readonly property color background: "#15171c"
    readonly property color surface: "#23262e"
    readonly property color accentTournament: "#d9a441"
    readonly property color accentPLO: "#8e6bd8"
    readonly property color accentNLHE: "#3f9d6a"

    // The platform accent colour and the plain colours the views mix.
    readonly property color accent: "#0a84ff"
    readonly property color grey: "#8e8e93"
    readonly property color red: "#ff453a"
    readonly property color yellow: "#ffd60a"
    readonly property color noteDot: Qt.rgba(229 / 255, 231 / 255, 235 / 255, 1)

    readonly property string monospaceFamily: "DejaVu Sans Mono"
    readonly property string emojiFamily: "Noto Color Emoji"

    function white(opacity) { return Qt.rgba(1, 1, 1, opacity) }
    function greyAt(opacity) { return Qt.rgba(grey.r, grey.g, grey.b, opacity) }
    function withAlpha(c, opacity) { return Qt.rgba(c.r, c.g, c.b, opacity) }

    // The colour a flag is drawn with, by its raw name (the same values as
    // the records' own display colours).
    function flagColor(name) {
        switch (name) {
        case "red": return Qt.rgba(0.69, 0, 0.125, 1)
        case "orange": return Qt.rgba(0.72, 0.45, 0.18, 1)
        case "yellow": return Qt.rgba(1.0, 0.843, 0, 1)
        case "green": return Qt.rgba(0.22, 0.58, 0.30, 1)
        case "blue": return Qt.rgba(0.22, 0.40, 0.70, 1)
        case "purple": return Qt.rgba(0.50, 0.28, 0.65, 1)
        case "pink": return Qt.rgba(0.65, 0.28, 0.42, 1)
        case "white": return Qt.rgba(0.65, 0.65, 0.65, 1)
        }
        return "transparent"
    }

    // The accent of a table section: tournaments, PLO ring, NLHE ring.
    function accentFor(variant, mode) {
        if (mode === "Tournament") return accentTournament
        return variant === "PLO" ? accentPLO : accentNLHE
    }
}
