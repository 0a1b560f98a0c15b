import QtQuick
import QtQuick.Layouts
import Tarnwick

// VPIP / PFR in the full form, VPIP alone in the compact form.
Rectangle {
    id: pill
    property string mode: "full"
    property real vpip: 0
    property real pfr: 0

    radius: 4
    color: Theme.white(0.06)
    implicitWidth: row.implicitWidth + (mode === "full" ? 16 : 12)
    implicitHeight: row.implicitHeight + 4

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 4
        Text {
            objectName: "vpipText"
            text: Math.trunc(pill.vpip).toString()
            textFormat: Text.PlainText
            font.pixelSize: 12
            color: Theme.white(0.7)
        }
        Text {
            visible: pill.mode === "full"
            text: "/"
            textFormat: Text.PlainText
            font.pixelSize: 12
            color: Theme.white(0.3)
        }
        Text {
            objectName: "pfrText"
            visible: pill.mode === "full"
            text: Math.trunc(pill.pfr).toString()
            textFormat: Text.PlainText
            font.pixelSize: 12
            color: Theme.white(0.7)
        }
    }
}
