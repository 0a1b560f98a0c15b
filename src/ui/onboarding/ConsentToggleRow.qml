import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Tarnwick

// One consent choice: label, caption and a small switch.
Rectangle {
    id: row
    property string label
    property string caption
    property bool isOn: false

    radius: 6
    color: Theme.greyAt(0.08)
    implicitHeight: layout.implicitHeight + 16

    RowLayout {
        id: layout
        anchors.fill: parent
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        anchors.topMargin: 8
        anchors.bottomMargin: 8
        spacing: 10
        ColumnLayout {
            Layout.alignment: Qt.AlignTop
            Layout.fillWidth: true
            spacing: 2
            Text {
                Layout.fillWidth: true
                text: row.label
                textFormat: Text.PlainText
                font.pixelSize: 12
                font.weight: Font.Medium
                color: Theme.white(0.9)
            }
            Text {
                Layout.fillWidth: true
                text: row.caption
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font.pixelSize: 10
                color: Theme.greyAt(0.7)
            }
        }
        Item { Layout.minimumWidth: 8 }
        Switch {
            objectName: "toggle"
            Layout.alignment: Qt.AlignTop
            checked: row.isOn
            onToggled: row.isOn = checked
            scale: 0.75
            padding: 0
        }
    }
}
