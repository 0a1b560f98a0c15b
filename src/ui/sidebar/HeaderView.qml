import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Tarnwick

// The logo, the search toggle and the settings button. Dragging the header
// moves the (frameless) window.
Item {
    id: header
    property bool showSearch: false
    signal searchToggled()
    signal settingsRequested()

    implicitHeight: row.implicitHeight + 14

    // Under the buttons, which take their own presses.
    WindowDragArea {
        objectName: "windowMoveArea"
        anchors.fill: parent
    }

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        anchors.topMargin: 10
        anchors.bottomMargin: 4
        spacing: 2
        Image {
            Layout.leftMargin: -4
            Layout.preferredHeight: 17
            Layout.preferredWidth: 17 * 168 / 32
            source: "qrc:/Tarnwick/TarnwickLogo.svg"
            sourceSize.height: 34
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true
        }
        Item { Layout.fillWidth: true }
        HeaderButton {
            objectName: "searchButton"
            symbol: header.showSearch ? "xmark" : "magnifyingglass"
            onClicked: header.searchToggled()
        }
        HeaderButton {
            objectName: "settingsButton"
            symbol: "gearshape"
            tooltip: "Settings"
            onClicked: header.settingsRequested()
        }
    }
}
