import QtQuick
import QtQuick.Layouts
import Tarnwick

// The first-run screen: how the program gets its data, in three lines.
Rectangle {
    id: view
    signal dismissed()

    width: 340
    implicitHeight: column.implicitHeight
    color: Theme.background

    function dismiss() {
        Analytics.signal("Welcome.Dismissed")
        view.dismissed()
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        enabled: view.visible
        onActivated: view.dismiss()
    }

    ColumnLayout {
        id: column
        width: parent.width
        spacing: 0

        Image {
            objectName: "logo"
            Layout.topMargin: 28
            Layout.bottomMargin: 18
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredHeight: 32
            Layout.preferredWidth: 32 * 168 / 32
            source: "qrc:/Tarnwick/TarnwickLogo.svg"
            sourceSize.height: 64
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true
        }
        Text {
            Layout.alignment: Qt.AlignHCenter
            Layout.bottomMargin: 18
            text: "Welcome to Tarnwick"
            textFormat: Text.PlainText
            font.pixelSize: 18
            font.weight: Font.DemiBold
            color: "white"
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 28
            Layout.rightMargin: 28
            Layout.bottomMargin: 24
            spacing: 12
            BulletRow { Layout.fillWidth: true; icon: "play.circle"; text: "Launch ClubWPT Gold to connect." }
            BulletRow { Layout.fillWidth: true; icon: "person.crop.circle"; text: "Click a player's profile in CWG to import them." }
            BulletRow { Layout.fillWidth: true; icon: "chart.bar"; text: "Their stats show up here the next time you face them." }
        }
        ProminentButton {
            objectName: "gotItButton"
            Layout.fillWidth: true
            Layout.leftMargin: 28
            Layout.rightMargin: 28
            Layout.bottomMargin: 24
            label: "Got it"
            onClicked: view.dismiss()
        }
    }
}
