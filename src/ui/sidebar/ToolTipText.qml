import QtQuick
import Tarnwick

// A small tooltip bubble that shows its text as plain text.
Rectangle {
    property alias text: label.text
    z: 100
    x: 12
    y: -height - 4
    width: Math.min(label.implicitWidth, 220) + 12
    height: label.implicitHeight + 8
    radius: 4
    color: Theme.surface
    border.color: Theme.white(0.15)
    Text {
        id: label
        x: 6
        y: 4
        width: parent.width - 12
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font.pixelSize: 11
        color: "white"
    }
}
