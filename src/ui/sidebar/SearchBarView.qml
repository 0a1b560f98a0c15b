import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Tarnwick

// The search field. Every keystroke goes to `text` (the store's query).
Rectangle {
    id: bar
    property string text
    property alias field: field

    radius: 6
    color: Theme.surface
    implicitHeight: row.implicitHeight + 12

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        anchors.topMargin: 6
        anchors.bottomMargin: 6
        spacing: 6
        SymbolIcon { symbol: "magnifyingglass"; size: 12; color: Theme.grey }
        TextField {
            id: field
            objectName: "searchField"
            Layout.fillWidth: true
            text: bar.text
            onTextEdited: bar.text = text
            placeholderText: "search players..."
            placeholderTextColor: Theme.greyAt(0.8)
            font.pixelSize: 12
            color: "white"
            padding: 0
            background: null
            selectByMouse: true
        }
    }
}
