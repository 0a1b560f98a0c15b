import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Tarnwick
import "RowRules.js" as Rules

// The editor of one opponent: statistics, types, phrase tags, flag and note.
// Edits go to the store at once; the note after typing pauses for 0.4 s.
Item {
    id: view
    property var player: ({})
    property var seating: null
    property QtObject store: null
    readonly property alias editor: editor

    signal closeRequested()

    readonly property bool isRing: seating ? seating.gameMode === "Ring" : player.mostRecentMode === "Ring"
    readonly property var typeCatalog: store ? store.playerTypeCatalog : []
    readonly property var tagCatalog: store ? store.phraseTagCatalog : []
    readonly property var flagColors: {
        const enabled = store ? store.enabledFlagColors : []
        return ["red", "orange", "yellow", "green", "blue"].filter(c => enabled.indexOf(c) >= 0)
    }

    implicitHeight: card.implicitHeight

    PlayerEditor {
        id: editor
        store: view.store
        playerID: view.player.id || ""
        onClosed: view.closeRequested()
    }

    Rectangle {
        id: card
        x: 8
        width: view.width - 16
        implicitHeight: column.implicitHeight
        height: implicitHeight
        radius: 10
        color: Theme.surface
        clip: true

        ColumnLayout {
            id: column
            x: 14
            width: card.width - 28
            spacing: 0

            // Header: tapping it closes the editor.
            RowLayout {
                objectName: "editorHeader"
                Layout.fillWidth: true
                Layout.topMargin: 12
                Layout.bottomMargin: 4
                spacing: 8
                Rectangle {
                    objectName: "avatar"
                    Layout.preferredWidth: 32
                    Layout.preferredHeight: 32
                    radius: 16
                    color: editor.flag ? Theme.flagColor(editor.flag) : Theme.greyAt(0.3)
                    Text {
                        anchors.centerIn: parent
                        text: (view.player.name || "").length > 0 ? String.fromCodePoint(view.player.name.codePointAt(0)).toUpperCase() : ""
                        textFormat: Text.PlainText
                        font.pixelSize: 14
                        font.bold: true
                        color: "white"
                    }
                }
                TextEdit {
                    objectName: "editorName"
                    Layout.fillWidth: true
                    text: view.player.name || ""
                    textFormat: TextEdit.PlainText
                    readOnly: true
                    selectByMouse: true
                    wrapMode: TextEdit.NoWrap
                    clip: true
                    font.pixelSize: 15
                    font.bold: true
                    color: "white"
                }
                SymbolIcon { symbol: "chevron.up"; size: 11; font.weight: Font.DemiBold; color: Theme.white(0.5) }
                TapHandler { onTapped: editor.close() }
            }

            // Statistics, for ring tables.
            RowLayout {
                objectName: "statTiles"
                visible: view.isRing && !!view.player.hasStats
                Layout.fillWidth: true
                Layout.bottomMargin: visible ? 12 : 0
                spacing: 6
                StatBlock { Layout.fillWidth: true; Layout.preferredWidth: 1; objectName: "vpipTile"; label: "VPIP"; value: Rules.whole(view.player.vpip || 0) + "%" }
                StatBlock { Layout.fillWidth: true; Layout.preferredWidth: 1; objectName: "pfrTile"; label: "PFR"; value: Rules.whole(view.player.pfr || 0) + "%" }
                StatBlock { Layout.fillWidth: true; Layout.preferredWidth: 1; objectName: "handsTile"; label: "HANDS"; value: Rules.handsText(view.player.hands || 0) }
            }

            TagFlow {
                objectName: "typeFlow"
                Layout.fillWidth: true
                Layout.bottomMargin: 6
                spacing: 4
                Repeater {
                    model: view.typeCatalog
                    PlayerTypeChip {
                        required property string modelData
                        objectName: "typeChip_" + modelData
                        emoji: modelData
                        isSelected: editor.villainTypes.indexOf(modelData) >= 0
                        onClicked: editor.toggleType(modelData)
                    }
                }
            }

            TagFlow {
                objectName: "tagFlow"
                Layout.fillWidth: true
                Layout.bottomMargin: 10
                Layout.topMargin: 4
                spacing: 4
                Repeater {
                    model: view.tagCatalog
                    SecondaryTagChip {
                        required property string modelData
                        objectName: "tagChip_" + modelData
                        label: modelData
                        isSelected: editor.phraseTags.indexOf(modelData) >= 0
                        onClicked: editor.toggleTag(modelData)
                    }
                }
            }

            RowLayout {
                objectName: "flagPicker"
                Layout.bottomMargin: 14
                spacing: 6
                Text {
                    text: "flag"
                    textFormat: Text.PlainText
                    font.pixelSize: 10
                    font.weight: Font.Medium
                    color: Theme.grey
                }
                Repeater {
                    model: view.flagColors
                    AbstractButton {
                        required property string modelData
                        objectName: "flag_" + modelData
                        implicitWidth: 16
                        implicitHeight: 16
                        focusPolicy: Qt.NoFocus
                        onClicked: editor.pickFlag(modelData)
                        background: Rectangle {
                            radius: 8
                            color: Theme.flagColor(modelData)
                            border.width: editor.flag === modelData ? 2 : 0
                            border.color: Theme.white(0.7)
                        }
                    }
                }
            }

            // The note.
            Rectangle {
                Layout.fillWidth: true
                Layout.bottomMargin: 14
                radius: 6
                color: Theme.background
                implicitHeight: Math.max(56, Math.min(110, noteEdit.implicitHeight))
                Rectangle {
                    width: 3
                    height: parent.height
                    radius: 1
                    color: Theme.withAlpha(Theme.accent, 0.6)
                }
                Flickable {
                    id: noteFlick
                    x: 3
                    width: parent.width - 3
                    height: parent.height
                    contentHeight: noteEdit.implicitHeight
                    clip: true
                    boundsBehavior: Flickable.StopAtBounds
                    TextArea.flickable: TextArea {
                        id: noteEdit
                        objectName: "noteEdit"
                        text: editor.noteText
                        onTextChanged: if (text !== editor.noteText) editor.noteText = text
                        textFormat: TextEdit.PlainText
                        wrapMode: TextEdit.Wrap
                        font.pixelSize: 12
                        color: "white"
                        leftPadding: 6
                        rightPadding: 6
                        topPadding: 4
                        bottomPadding: 4
                        background: null
                        selectByMouse: true
                    }
                }
                Text {
                    objectName: "notePlaceholder"
                    visible: editor.noteText.length === 0
                    x: 10
                    y: 12
                    text: "type your read on this player..."
                    textFormat: Text.PlainText
                    font.pixelSize: 12
                    color: Theme.greyAt(0.5)
                }
            }
        }
    }
}
