import QtQuick
import QtQuick.Layouts
import Tarnwick

// A query that matched nothing, quoted exactly as typed.
ColumnLayout {
    id: view
    property string query

    spacing: 6
    SymbolIcon { Layout.alignment: Qt.AlignHCenter; symbol: "questionmark.circle"; size: 18; color: Theme.greyAt(0.5) }
    Text {
        objectName: "noMatchesText"
        Layout.fillWidth: true
        Layout.leftMargin: 14
        Layout.rightMargin: 14
        text: "No matches for \u201C" + view.query + "\u201D"
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
        font.pixelSize: 12
        color: Theme.grey
    }
}
