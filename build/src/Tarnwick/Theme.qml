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
}
