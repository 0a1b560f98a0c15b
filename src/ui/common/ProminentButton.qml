import QtQuick
import QtQuick.Controls.Basic
import Tarnwick

// A filled button in the accent colour, the default action of its screen.
Button {
    id: control
    property string label

    focusPolicy: Qt.StrongFocus
    topPadding: 8
    bottomPadding: 8
    contentItem: Text {
        text: control.label
        textFormat: Text.PlainText
        font.pixelSize: 12
        font.weight: Font.DemiBold
        color: "white"
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle {
        radius: 6
        color: control.down ? Qt.darker(Theme.accent, 1.2) : Theme.accent
    }
}
