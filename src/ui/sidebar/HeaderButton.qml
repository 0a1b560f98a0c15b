import QtQuick
import QtQuick.Controls.Basic
import Tarnwick

// A plain symbol button of the header: 26 x 26 hit area, never focused.
AbstractButton {
    id: button
    property string symbol
    property string tooltip

    implicitWidth: 26
    implicitHeight: 26
    focusPolicy: Qt.NoFocus
    hoverEnabled: true
    contentItem: SymbolIcon {
        symbol: button.symbol
        size: 12
        font.weight: Font.Medium
        color: Theme.greyAt(0.7)
    }
    background: Item {}
    ToolTipText {
        visible: button.hovered && button.tooltip.length > 0
        text: button.tooltip
        x: -width + 10
        y: button.height + 2
    }
}
