import QtQuick
import QtQuick.Layouts
import Tarnwick
import "RowRules.js" as Rules

// One opponent: a compact card, or the editor when expanded. The player is
// a plain value map (id, name, note, flag, villainTypes, phraseTags,
// hasStats, vpip, pfr, hands, mostRecentMode, anyActive); the seating, when
// the row stands for a table, is {gameVariant, gameMode, tableID, isActive}.
Item {
    id: row
    property var player: ({})
    property var seating: null
    property bool isExpanded: false
    property QtObject store: null
    // The last measured content width; -1 until the first measurement.
    property real measuredRowWidth: -1

    signal tapped()
    signal closeRequested()

    readonly property bool isRing: seating ? seating.gameMode === "Ring" : player.mostRecentMode === "Ring"
    readonly property bool isActive: seating ? !!seating.isActive : !!player.anyActive
    readonly property var types: player.villainTypes || []
    readonly property var tags: player.phraseTags || []
    readonly property string notePreview: Rules.notePreview(player.note)
    readonly property color dotColor: player.flag ? Theme.flagColor(player.flag)
                                    : notePreview.length > 0 ? Theme.noteDot : Theme.greyAt(0.3)
    readonly property string statsMode: Rules.statsMode(isRing, !!player.hasStats, measuredRowWidth)
    readonly property real statsColumnWidth: Rules.statsColumnWidth(statsMode)
    readonly property bool showsTypeEmoji: types.length > 0 && types[0].length > 0
    readonly property alias editor: editorLoader.item

    // Whether opening and closing the editor eases the row's height; the
    // editor of a just-read opponent opens at full height at once.
    property bool animatesExpansion: true
    // 0 shows the card's height, 1 the editor's; eased between on a change.
    property real openness: 0
    // The height the editor had, kept while the row shrinks back to its card.
    property real closingEditorHeight: 0
    readonly property real cardHeight: card.implicitHeight + 4
    readonly property real editorHeight: isExpanded ? editorLoader.implicitHeight : closingEditorHeight

    // The editor commits what was typed before it goes, whatever closed it.
    onIsExpandedChanged: {
        if (!isExpanded && editorLoader.item) {
            closingEditorHeight = editorLoader.implicitHeight
            editorLoader.item.editor.commitNow()
        }
        editorLoader.active = isExpanded
        opennessAnimation.stop()
        if (animatesExpansion) {
            opennessAnimation.to = isExpanded ? 1 : 0
            opennessAnimation.start()
        } else {
            openness = isExpanded ? 1 : 0
        }
    }
    Component.onCompleted: {
        editorLoader.active = isExpanded
        // A row made already open shows its editor at once.
        opennessAnimation.stop()
        openness = isExpanded ? 1 : 0
    }
    NumberAnimation {
        id: opennessAnimation
        target: row
        property: "openness"
        duration: 150
        easing.type: Easing.InOutQuad
    }

    implicitHeight: cardHeight + (editorHeight - cardHeight) * openness
    // Only while the height eases: the editor must not spill over the rows below.
    clip: openness > 0 && openness < 1
    opacity: isActive ? 1.0 : 0.4

    // The compact card.
    Rectangle {
        id: card
        visible: !row.isExpanded
        x: 8
        y: 2
        width: row.width - 16
        implicitHeight: content.implicitHeight + 18
        height: implicitHeight
        radius: 4
        color: Theme.white(0.02)
        clip: true

        ColumnLayout {
            id: content
            objectName: "rowContent"
            x: 10
            y: 9
            width: card.width - 20
            spacing: row.tags.length > 0 ? 4 : 0
            onWidthChanged: if (width > 0) row.measuredRowWidth = width

            RowLayout {
                Layout.fillWidth: true
                spacing: 8
                Item {
                    objectName: "indicator"
                    Layout.preferredWidth: 18
                    Layout.preferredHeight: 18
                    clip: true
                    Text {
                        objectName: "typeEmoji"
                        anchors.centerIn: parent
                        visible: row.showsTypeEmoji
                        text: row.showsTypeEmoji ? row.types[0] : ""
                        textFormat: Text.PlainText
                        font.family: Theme.emojiFamily
                        font.pixelSize: 13
                    }
                    Rectangle {
                        id: dot
                        objectName: "dot"
                        anchors.centerIn: parent
                        visible: !row.showsTypeEmoji
                        width: 8
                        height: 8
                        radius: 4
                        color: row.dotColor
                        property string tooltip: row.notePreview
                        MouseArea {
                            id: dotHover
                            anchors.fill: parent
                            anchors.margins: -4
                            hoverEnabled: dot.tooltip.length > 0
                            acceptedButtons: Qt.NoButton
                        }
                        ToolTipText {
                            visible: dotHover.containsMouse && dot.tooltip.length > 0
                            text: dot.tooltip
                        }
                    }
                }
                Text {
                    objectName: "nameText"
                    Layout.fillWidth: true
                    Layout.minimumWidth: 0
                    text: row.player.name || ""
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    font.pixelSize: 13
                    font.weight: Font.DemiBold
                    color: "white"
                }
                Item { Layout.minimumWidth: 4 }
                Item {
                    objectName: "statsColumn"
                    visible: row.statsColumnWidth > 0 && !!row.player.hasStats
                    Layout.preferredWidth: Math.max(row.statsColumnWidth, pill.implicitWidth)
                    Layout.minimumWidth: pill.implicitWidth
                    Layout.preferredHeight: pill.implicitHeight
                    StatsPill {
                        id: pill
                        objectName: "statsPill"
                        anchors.right: parent.right
                        anchors.verticalCenter: parent.verticalCenter
                        mode: row.statsMode
                        vpip: row.player.vpip || 0
                        pfr: row.player.pfr || 0
                    }
                }
            }
            Row {
                objectName: "tagLine"
                visible: row.tags.length > 0
                Layout.fillWidth: true
                Layout.leftMargin: 26
                spacing: 6
                clip: true
                Repeater {
                    model: row.tags
                    Rectangle {
                        required property string modelData
                        radius: 4
                        color: Theme.white(0.08)
                        width: Math.min(tagText.implicitWidth + 14, Math.max(0, content.width - 26))
                        height: tagText.implicitHeight + 6
                        Text {
                            id: tagText
                            x: 7
                            y: 3
                            width: parent.width - 14
                            text: modelData
                            textFormat: Text.PlainText
                            elide: Text.ElideRight
                            maximumLineCount: 1
                            font.pixelSize: 10
                            font.weight: Font.Medium
                            color: Theme.white(0.75)
                        }
                    }
                }
            }
        }

        TapHandler { onTapped: row.tapped() }
    }

    Loader {
        id: editorLoader
        active: false
        width: row.width
        sourceComponent: PlayerDetailView {
            width: row.width
            player: row.player
            seating: row.seating
            store: row.store
            onCloseRequested: row.closeRequested()
            opacity: 0
            Component.onCompleted: { opacity = 1; y = 0 }
            y: -8
            Behavior on opacity { NumberAnimation { duration: 150; easing.type: Easing.InOutQuad } }
            Behavior on y { NumberAnimation { duration: 150; easing.type: Easing.InOutQuad } }
        }
    }
}
