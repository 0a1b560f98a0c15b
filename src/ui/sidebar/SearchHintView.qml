import QtQuick
import QtQuick.Layouts
import Tarnwick

// Search mode before anything is typed.
ColumnLayout {
    spacing: 6
    SymbolIcon { Layout.alignment: Qt.AlignHCenter; symbol: "magnifyingglass"; size: 20; color: Theme.greyAt(0.5) }
    Text {
        Layout.alignment: Qt.AlignHCenter
        text: "Search saved players"
        textFormat: Text.PlainText
        font.pixelSize: 12
        color: Theme.grey
    }
    Text {
        Layout.alignment: Qt.AlignHCenter
        text: "Includes inactive and dismissed"
        textFormat: Text.PlainText
        font.pixelSize: 10
        color: Theme.greyAt(0.6)
    }
}
