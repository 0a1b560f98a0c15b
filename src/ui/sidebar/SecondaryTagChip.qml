import QtQuick
import QtQuick.Controls.Basic
import Tarnwick

// Toggles one phrase tag.
AbstractButton {
    id: chip
    property string label
    property bool isSelected: false

    focusPolicy: Qt.StrongFocus
    leftPadding: 8
    rightPadding: 8
    topPadding: 4
    bottomPadding: 4

    contentItem: Text {
        text: chip.label
        textFormat: Text.PlainText
        maximumLineCount: 1
        font.pixelSize: 10
        font.weight: Font.Medium
        color: chip.isSelected ? "white" : Theme.greyAt(0.7)
    }
    background: Rectangle {
        radius: 6
        color: chip.isSelected ? Theme.white(0.12) : Theme.background
        border.width: chip.isSelected ? 1 : 0
        border.color: Theme.white(0.15)
    }
}
