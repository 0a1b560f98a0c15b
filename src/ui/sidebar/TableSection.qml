import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Tarnwick
import "RowRules.js" as Rules

// One open table: a coloured header (title, player count, clear button,
// chevron) that collapses the card and drags it to a new place, and one
// row per opponent seen there.
//
// `rows` is the store's row model of the table (or a list of {rowId,
// player, seating} values).
Item {
    id: section
    property string tableKey
    property string tableID
    property string gameVariant: "NLHE"
    property string gameMode: "Ring"
    property string windowTitle
    // The short header of a tournament's window title, "" when none.
    property string shortTournamentTitle
    property var rows: []
    property int playerCount: 0
    property int inactiveCount: 0
    property string expandedRowID
    property bool isCollapsed: false
    property QtObject store: null
    property bool isDropTargeted: false
    // Whether collapsing and opening (the section's and its rows') ease;
    // off while the editor of a just-read opponent opens.
    property bool animatesChanges: true
    // 1 with the rows shown, 0 collapsed; eased between when the header is tapped.
    property real rowsOpenness: isCollapsed ? 0 : 1
    Behavior on rowsOpenness {
        enabled: section.animatesChanges
        NumberAnimation { duration: 200; easing.type: Easing.InOutQuad }
    }
    // Rows left behind by a clear slide up into place rather than jump.
    // Only briefly: any other change of a row's height moves the rows below
    // it at once.
    property bool reflowAnimated: false
    // The rows' height before the clear, kept meanwhile: the list view only
    // lets a row fade out while the row is inside its bounds.
    property real heldRowsHeight: 0
    Timer {
        id: reflowTimer
        interval: 400
        onTriggered: {
            section.reflowAnimated = false
            section.heldRowsHeight = 0
        }
    }

    // The height once any collapse or row change under way has finished.
    function settledHeight() {
        if (isCollapsed)
            return headerArea.implicitHeight + 4
        let rows = 0
        for (let i = 0; i < rowsColumn.count; ++i) {
            const c = rowsColumn.itemAtIndex(i)
            if (c)
                rows += c.isExpanded ? c.editorHeight : c.cardHeight
        }
        return headerArea.implicitHeight + 4 + rows + 2
    }

    signal rowTapped(string rowId)
    signal rowCloseRequested()
    signal collapseToggled()
    signal clearInactiveRequested()
    // A card with the key `draggedKey` was dropped onto this one.
    signal cardDropped(string draggedKey, string targetKey)

    readonly property color accent: Theme.accentFor(gameVariant, gameMode)
    readonly property string title: Rules.sectionTitle(gameVariant, gameMode, windowTitle, shortTournamentTitle)

    implicitHeight: column.implicitHeight + 4

    // A drop carrying strings moves the first one before this card.
    function acceptDrop(items) {
        if (!items || items.length === 0)
            return false
        section.cardDropped(items[0], section.tableKey)
        return true
    }

    ColumnLayout {
        id: column
        width: section.width
        spacing: 0

        Item {
            id: headerArea
            objectName: "sectionHeader"
            Layout.fillWidth: true
            Layout.leftMargin: 8
            Layout.rightMargin: 8
            implicitHeight: headerRow.implicitHeight + 12

            Rectangle {
                anchors.fill: parent
                radius: 4
                color: Theme.withAlpha(section.accent, 0.08)
            }
            RowLayout {
                id: headerRow
                anchors.fill: parent
                anchors.leftMargin: 10
                anchors.rightMargin: 10
                anchors.topMargin: 6
                anchors.bottomMargin: 6
                spacing: 6
                Rectangle {
                    objectName: "accentBar"
                    Layout.preferredWidth: 2
                    Layout.preferredHeight: 12
                    radius: 1
                    color: section.accent
                }
                Text {
                    objectName: "sectionTitle"
                    Layout.fillWidth: true
                    text: section.title
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    font.family: Theme.monospaceFamily
                    font.pixelSize: 11
                    font.bold: true
                    color: Theme.white(0.85)
                }
                Text {
                    objectName: "playerCount"
                    text: String(section.playerCount)
                    textFormat: Text.PlainText
                    font.pixelSize: 11
                    font.weight: Font.Medium
                    color: Theme.white(0.5)
                }
                AbstractButton {
                    id: clearButton
                    objectName: "clearButton"
                    visible: section.inactiveCount >= 1
                    focusPolicy: Qt.NoFocus
                    implicitWidth: clearText.implicitWidth
                    implicitHeight: clearText.implicitHeight
                    onClicked: {
                        if (!section.reflowAnimated)
                            section.heldRowsHeight = rowsColumn.height
                        section.reflowAnimated = true
                        reflowTimer.restart()
                        section.clearInactiveRequested()
                    }
                    contentItem: Text {
                        id: clearText
                        text: "clear " + section.inactiveCount
                        textFormat: Text.PlainText
                        font.pixelSize: 9
                        font.weight: Font.Medium
                        color: Theme.withAlpha(Theme.red, 0.55)
                    }
                }
                SymbolIcon {
                    objectName: "chevron"
                    symbol: section.isCollapsed ? "chevron.right" : "chevron.down"
                    size: 9
                    font.weight: Font.DemiBold
                    color: Theme.greyAt(0.45)
                }
            }
            TapHandler {
                onTapped: (point) => {
                    // The clear button handles its own taps.
                    const p = clearButton.mapFromItem(headerArea, point.position.x, point.position.y)
                    if (clearButton.visible && clearButton.contains(p))
                        return
                    section.collapseToggled()
                }
            }
            DragHandler {
                id: dragHandler
                target: dragProxy
                yAxis.enabled: true
                xAxis.enabled: false
                onActiveChanged: {
                    if (active) {
                        dragProxy.Drag.active = true
                    } else {
                        dragProxy.Drag.drop()
                        dragProxy.Drag.active = false
                        dragProxy.x = 0
                        dragProxy.y = 0
                    }
                }
            }
            // What a drag carries: the card's table key as plain text.
            Item {
                id: dragProxy
                objectName: "dragProxy"
                width: headerArea.width
                height: headerArea.height
                Drag.dragType: Drag.Internal
                Drag.keys: ["text/plain"]
                Drag.mimeData: { "text/plain": section.tableKey }
                Drag.hotSpot.x: width / 2
                Drag.hotSpot.y: height / 2
                Drag.source: section
            }
        }

        // The rows, cut off from below while the section collapses or opens,
        // or closes up after a clear.
        Item {
            id: rowsArea
            // Eased after a clear, so the sections below slide up with it.
            property real rowsHeight: rowsColumn.contentHeight
            Behavior on rowsHeight {
                enabled: section.reflowAnimated
                NumberAnimation { duration: 200; easing.type: Easing.InOutQuad }
            }
            Layout.fillWidth: true
            Layout.preferredHeight: (rowsHeight + 2) * section.rowsOpenness
            clip: section.rowsOpenness < 1 || rowsHeight !== rowsColumn.contentHeight
            visible: !rowsColumn.collapsedAway

            // Rows cleared away fade where they were while the rest slide
            // up; a list view for those transitions only (as tall as its
            // content, so every row is made).
            ListView {
                id: rowsColumn
                objectName: "rows"
                // The rows stay until the collapse has finished closing over them.
                readonly property bool collapsedAway: section.isCollapsed && section.rowsOpenness === 0
                visible: !collapsedAway
                width: parent.width
                height: Math.max(contentHeight, section.heldRowsHeight)
                interactive: false
                currentIndex: -1
                model: collapsedAway ? [] : section.rows
                remove: Transition {
                    enabled: section.reflowAnimated
                    NumberAnimation { property: "opacity"; to: 0; duration: 200; easing.type: Easing.InOutQuad }
                }
                displaced: Transition {
                    enabled: section.reflowAnimated
                    NumberAnimation { property: "y"; duration: 200; easing.type: Easing.InOutQuad }
                }
                delegate: PlayerRow {
                    required property var model
                    // A fixture list holds finished values; the store's row
                    // model holds roles.
                    readonly property bool isValueList: model.modelData !== undefined
                    readonly property var entry: isValueList ? model.modelData : model
                    objectName: "row_" + entry.rowId
                    property string rowId: entry.rowId
                    width: rowsColumn.width
                    player: isValueList ? entry.player : RowValues.player(model.player)
                    seating: isValueList ? entry.seating : RowValues.seating(model.gameType, section.tableID, model.isActive)
                    store: section.store
                    isExpanded: section.expandedRowID === rowId
                    animatesExpansion: section.animatesChanges
                    onTapped: section.rowTapped(rowId)
                    onCloseRequested: section.rowCloseRequested()
                }
            }
        }
    }

    DropArea {
        id: dropArea
        anchors.fill: parent
        keys: ["text/plain"]
        onEntered: section.isDropTargeted = true
        onExited: section.isDropTargeted = false
        onDropped: (drop) => {
            section.isDropTargeted = false
            // A drag from another window carries text/plain; a drag inside
            // this window is internal, and its source card names the key.
            let text = drop.hasText ? drop.text : drop.getDataAsString("text/plain")
            if (!text && drop.source && drop.source.tableKey !== undefined)
                text = drop.source.tableKey
            if (section.acceptDrop(text ? [text] : []))
                drop.accept()
        }
    }

    Rectangle {
        objectName: "dropOutline"
        x: 6
        width: section.width - 12
        height: section.height
        radius: 4
        color: "transparent"
        border.width: 1.5
        border.color: Theme.withAlpha(Theme.accent, section.isDropTargeted ? 0.6 : 0)
        enabled: false
    }
}
