import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Tarnwick

// Why no table is listed, from the poker-client monitor's state
// ("offline", "attaching", "ready" or "noFlag"), and the one repair the
// program can make: restarting the client with its debugging port open.
Item {
    id: view
    property string monitorState: "offline"
    property bool hasOpenTables: false
    signal restartRequested()

    // Which of the four looks is shown: "waiting", "noPlayers", "noTables"
    // or "noFlag".
    readonly property string kind: {
        if (monitorState === "noFlag") return "noFlag"
        if (monitorState === "ready") return hasOpenTables ? "noPlayers" : "noTables"
        return "waiting"
    }

    implicitHeight: loader.implicitHeight
    implicitWidth: loader.implicitWidth

    Loader {
        id: loader
        width: parent.width
        sourceComponent: view.kind === "waiting" ? waiting : view.kind === "noFlag" ? noFlag : noTables
    }

    Component {
        id: waiting
        ColumnLayout {
            objectName: "waitingState"
            spacing: 10
            Spinner {
                objectName: "spinner"
                Layout.alignment: Qt.AlignHCenter
                Layout.preferredWidth: 20
                Layout.preferredHeight: 20
                running: view.visible
                color: Theme.grey
            }
            Text {
                Layout.alignment: Qt.AlignHCenter
                text: "Waiting for ClubWPT Gold\u2026"
                textFormat: Text.PlainText
                font.pixelSize: 12
                color: Theme.grey
            }
        }
    }

    Component {
        id: noTables
        ColumnLayout {
            objectName: view.kind === "noPlayers" ? "noPlayersState" : "noTablesState"
            spacing: 6
            SymbolIcon {
                Layout.alignment: Qt.AlignHCenter
                symbol: view.kind === "noPlayers" ? "person.3" : "rectangle.stack"
                size: 24
                color: Theme.greyAt(0.5)
            }
            Text {
                objectName: "title"
                Layout.alignment: Qt.AlignHCenter
                text: view.kind === "noPlayers" ? "No players yet" : "Sit at a table to begin"
                textFormat: Text.PlainText
                font.pixelSize: 12
                color: Theme.grey
            }
            Text {
                Layout.fillWidth: true
                Layout.leftMargin: 14
                Layout.rightMargin: 14
                text: view.kind === "noPlayers" ? "Click a player avatar in ClubWPT Gold to import"
                                                : "Open a ring or tournament in ClubWPT Gold"
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                font.pixelSize: 10
                color: Theme.greyAt(0.7)
            }
        }
    }

    Component {
        id: noFlag
        ColumnLayout {
            objectName: "noFlagState"
            spacing: 12
            SymbolIcon {
                Layout.alignment: Qt.AlignHCenter
                symbol: "exclamationmark.triangle.fill"
                size: 20
                color: Theme.withAlpha(Theme.yellow, 0.85)
            }
            Text {
                Layout.alignment: Qt.AlignHCenter
                text: "Can't connect to ClubWPT Gold"
                textFormat: Text.PlainText
                font.pixelSize: 12
                font.weight: Font.DemiBold
                color: Theme.white(0.9)
            }
            Text {
                Layout.fillWidth: true
                Layout.leftMargin: 28
                Layout.rightMargin: 28
                text: "Quit ClubWPT Gold and relaunch from here so Tarnwick can connect."
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                font.pixelSize: 10
                color: Theme.greyAt(0.7)
            }
            Button {
                id: restart
                objectName: "restartButton"
                Layout.alignment: Qt.AlignHCenter
                focusPolicy: Qt.NoFocus
                leftPadding: 16
                rightPadding: 16
                topPadding: 9
                bottomPadding: 9
                onClicked: view.restartRequested()
                contentItem: RowLayout {
                    spacing: 8
                    SymbolIcon { symbol: "arrow.clockwise"; size: 11; font.bold: true; color: "white" }
                    Text {
                        text: "Restart ClubWPT Gold"
                        textFormat: Text.PlainText
                        font.pixelSize: 12
                        font.weight: Font.DemiBold
                        color: "white"
                    }
                }
                background: Rectangle {
                    radius: 6
                    color: restart.down ? Qt.darker(Theme.accent, 1.2) : Theme.accent
                }
            }
        }
    }
}
