import QtQuick
import QtQuick.Layouts
import Tarnwick

// One line of the welcome screen: a symbol and a wrapping text.
RowLayout {
    id: row
    property string icon
    property string text

    spacing: 10
    SymbolIcon {
        Layout.preferredWidth: 18
        Layout.alignment: Qt.AlignTop
        symbol: row.icon
        size: 14
        color: Theme.accent
    }
    Text {
        Layout.fillWidth: true
        Layout.alignment: Qt.AlignTop
        text: row.text
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font.pixelSize: 12
        color: "white"
        horizontalAlignment: Text.AlignLeft
    }
}
