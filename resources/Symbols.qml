pragma Singleton
import QtQuick

// The one table from the symbol names the views use to glyphs of the
// Material Icons font (drawn through its ligatures). A view asks for a
// symbol by name with Symbols.glyph(name) and draws it in Symbols.family.
QtObject {
    readonly property string family: "Material Icons"

    readonly property var table: ({
        "magnifyingglass": "search",
        "xmark": "close",
        "gearshape": "settings",
        "chevron.right": "chevron_right",
        "chevron.down": "expand_more",
        "chevron.up": "expand_less",
        "play.circle": "play_circle_outline",
        "person.crop.circle": "account_circle",
        "chart.bar": "bar_chart",
        "shield.lefthalf.filled": "security",
        "questionmark.circle": "help_outline",
        "person.3": "groups",
        "rectangle.stack": "layers",
        "exclamationmark.triangle.fill": "warning",
        "arrow.clockwise": "refresh",
        "arrow.down.circle.fill": "arrow_circle_down"
    })

    function glyph(name) {
        const g = table[name]
        return g === undefined ? "" : g
    }
}
