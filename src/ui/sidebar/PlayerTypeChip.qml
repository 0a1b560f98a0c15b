import QtQuick
import QtQuick.Controls.Basic
import Qt5Compat.GraphicalEffects
import Tarnwick

// Toggles one player type; never takes keyboard focus.
AbstractButton {
    id: chip
    property string emoji
    property bool isSelected: false
    readonly property bool shaders: GraphicsInfo.api !== GraphicsInfo.Software

    focusPolicy: Qt.NoFocus
    leftPadding: 8
    rightPadding: 8
    topPadding: 5
    bottomPadding: 5

    contentItem: Item {
        implicitWidth: label.implicitWidth
        implicitHeight: label.implicitHeight
        Text {
            id: label
            anchors.centerIn: parent
            text: chip.emoji
            textFormat: Text.PlainText
            font.family: Theme.emojiFamily
            font.pixelSize: 14
            // Without shaders (the software renderer of screenshots) an
            // unselected emoji is only faded.
            visible: chip.isSelected || !chip.shaders
            opacity: chip.isSelected ? 1 : 0.45
        }
        Desaturate {
            anchors.fill: label
            source: label
            desaturation: 1.0
            opacity: 0.45
            visible: !chip.isSelected && chip.shaders
        }
    }
    background: Rectangle {
        radius: 8
        color: chip.isSelected ? Theme.white(0.18) : Theme.background
        border.width: chip.isSelected ? 1 : 0
        border.color: Theme.white(0.25)
    }
}
