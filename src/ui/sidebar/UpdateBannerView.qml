import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Tarnwick

// The green banner of an available update; pressing it asks the update
// controller for a user-initiated check.
AbstractButton {
    id: banner
    property string version

    focusPolicy: Qt.NoFocus
    leftPadding: 12
    rightPadding: 12
    topPadding: 6
    bottomPadding: 6
    background: Rectangle {
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.rgba(0.13, 0.69, 0.36, 1) }
            GradientStop { position: 1; color: Qt.rgba(0.10, 0.55, 0.29, 1) }
        }
    }
    contentItem: RowLayout {
        spacing: 8
        SymbolIcon { symbol: "arrow.down.circle.fill"; size: 13; color: "white" }
        Text {
            objectName: "bannerText"
            text: banner.version.length > 0 ? "Update available \u2014 v" + banner.version : "Update available"
            textFormat: Text.PlainText
            elide: Text.ElideRight
            Layout.fillWidth: true
            font.pixelSize: 11
            font.weight: Font.DemiBold
            color: "white"
        }
        Rectangle {
            radius: 4
            color: Theme.white(0.18)
            implicitWidth: install.implicitWidth + 12
            implicitHeight: install.implicitHeight + 4
            Text {
                id: install
                anchors.centerIn: parent
                text: "Install"
                textFormat: Text.PlainText
                font.pixelSize: 10
                font.weight: Font.DemiBold
                color: Theme.white(0.85)
            }
        }
    }
}
