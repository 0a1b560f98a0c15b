import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Tarnwick

// The whole content of the main window: header, update banner, search
// field, and the list of table sections or search results.
//
// `sections`: the store's section model (tableKey, tableID, variant, mode,
// windowTitle, shortTitle, rows, rowCount, activeCount). `searchResults`:
// the store's search model (id, player). Tests pass lists of the same
// values.
Rectangle {
    id: sidebar
    property QtObject store: null
    property var sections: []
    readonly property int sectionCount: sectionList.count
    property var searchResults: []
    readonly property int searchResultCount: searchRepeater.count
    property string searchQuery: store ? store.searchQuery : ""
    property string monitorState: "offline"
    property bool hasOpenTables: false
    property bool updateAvailable: false
    property string pendingVersion

    // View state.
    property string expandedRowID
    property var collapsedTables: ({})
    property bool showSearch: false
    property bool showSettings: false
    // Off only while the editor of a just-read opponent opens: that happens
    // at once, with no easing.
    property bool animatesChanges: true

    signal restartClientRequested()
    signal updateRequested()
    signal clearInactiveRequested(string gameVariant, string gameMode)
    signal cardMoveRequested(string draggedKey, string targetKey)
    signal searchQueryEdited(string query)

    color: Theme.background

    function setSearchQuery(text) {
        if (store) store.searchQuery = text
        else searchQuery = text
        searchQueryEdited(text)
    }
    // Sections and rows that arrive, leave or move because of a clear, a
    // drop, or tables closing or going live fade and slide; only briefly,
    // so that an import or any other change of height shows at once.
    property bool reflowAnimated: false
    property int reflowDuration: 200
    // The list's height before the change, kept meanwhile: the list view
    // only lets an item fade out while the item is inside its bounds.
    property real heldListHeight: 0
    function animateReflow(duration) {
        if (!reflowAnimated) {
            reflowDuration = duration
            heldListHeight = sectionList.height
        }
        reflowAnimated = true
        reflowTimer.restart()
    }
    // Closed tables or the live set just reached the store (called after
    // the change: the list applies it when it next lays out).
    function easeTableChanges() { animateReflow(300) }
    Timer {
        id: reflowTimer
        interval: 500
        onTriggered: {
            sidebar.reflowAnimated = false
            sidebar.heldListHeight = 0
        }
    }
    function isCollapsed(key) { return collapsedTables[key] === true }
    function setCollapsed(key, collapsed) {
        const copy = Object.assign({}, collapsedTables)
        if (collapsed) copy[key] = true
        else delete copy[key]
        collapsedTables = copy
    }
    // A tap never collapses a row; it opens it, closing any other.
    function expandRow(rowId, fromSearch) {
        if (expandedRowID === rowId) return
        expandedRowID = rowId
        if (fromSearch) Analytics.signal("Player.Expanded")
    }
    function closeRow() { expandedRowID = "" }
    // The editor of a just-read opponent opens in its table's section.
    function openObservedRow(rowId, tableKey) {
        animatesChanges = false
        setCollapsed(tableKey, false)
        expandedRowID = rowId
        animatesChanges = true
    }
    // The focused table's section comes into view, expanded.
    function focusTable(tableID) {
        for (let i = 0; i < sectionList.count; ++i) {
            const item = sectionList.itemAtIndex(i)
            if (item && item.tableID === tableID) {
                setCollapsed(item.tableKey, false)
                topTimer.item = item
                topTimer.restart()
                return
            }
        }
    }
    function findRow(rowId) {
        if (showSearch) {
            for (let i = 0; i < searchRepeater.count; ++i) {
                const item = searchRepeater.itemAt(i)
                if (item && item.rowId === rowId) return item
            }
            return null
        }
        for (let s = 0; s < sectionList.count; ++s) {
            const section = sectionList.itemAtIndex(s)
            if (!section) continue
            const found = findChildRow(section, rowId)
            if (found) return found
        }
        return null
    }
    function findChildRow(item, rowId) {
        for (let i = 0; i < item.children.length; ++i) {
            const child = item.children[i]
            if (child.rowId === rowId && child.isExpanded !== undefined) return child
            const found = findChildRow(child, rowId)
            if (found) return found
        }
        return null
    }
    function scrollToItem(item, centre) {
        if (!item) return
        const p = item.mapToItem(listColumn, 0, 0)
        let target = centre ? p.y + item.height / 2 - flick.height / 2 : p.y
        // A section still opening grows the list by what it has yet to show.
        const growth = item.settledHeight !== undefined ? Math.max(0, item.settledHeight() - item.height) : 0
        target = Math.max(0, Math.min(target, flick.contentHeight + growth - flick.height))
        scrollAnimation.to = target
        scrollAnimation.restart()
    }
    // Scrolls once the list has laid out the change (an opened editor is
    // taller than its row).
    // An eased opening is waited out, so the centre is the editor's final one.
    onExpandedRowIDChanged: {
        if (expandedRowID.length === 0) return
        centreTimer.interval = animatesChanges ? 180 : 20
        centreTimer.restart()
    }
    Timer {
        id: centreTimer
        interval: 20
        onTriggered: sidebar.scrollToItem(sidebar.findRow(sidebar.expandedRowID), true)
    }
    Timer {
        id: topTimer
        property var item
        interval: 20
        onTriggered: sidebar.scrollToItem(item, false)
    }
    onShowSearchChanged: {
        if (!showSearch) {
            setSearchQuery("")
            expandedRowID = ""
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        HeaderView {
            Layout.fillWidth: true
            showSearch: sidebar.showSearch
            onSearchToggled: sidebar.showSearch = !sidebar.showSearch
            onSettingsRequested: sidebar.showSettings = true
        }
        // The banner and the search field fade in while sliding down from
        // the top edge, and back out the same way.
        Item {
            id: bannerSlot
            property real shown: sidebar.updateAvailable ? 1 : 0
            Behavior on shown { NumberAnimation { duration: 250; easing.type: Easing.InOutQuad } }
            Layout.fillWidth: true
            Layout.preferredHeight: banner.implicitHeight * shown
            visible: sidebar.updateAvailable || shown > 0
            clip: shown < 1
            UpdateBannerView {
                id: banner
                objectName: "updateBanner"
                width: parent.width
                y: -(1 - bannerSlot.shown) * implicitHeight
                opacity: bannerSlot.shown
                visible: sidebar.updateAvailable || bannerSlot.shown > 0
                version: sidebar.pendingVersion
                onClicked: sidebar.updateRequested()
            }
        }
        Item {
            id: searchSlot
            property real shown: sidebar.showSearch ? 1 : 0
            Behavior on shown { NumberAnimation { duration: 150; easing.type: Easing.InOutQuad } }
            Layout.fillWidth: true
            Layout.preferredHeight: (searchBar.implicitHeight + 6) * shown
            visible: sidebar.showSearch || shown > 0
            clip: shown < 1
            SearchBarView {
                id: searchBar
                objectName: "searchBar"
                x: 14
                width: parent.width - 28
                y: 4 - (1 - searchSlot.shown) * (implicitHeight + 6)
                opacity: searchSlot.shown
                visible: sidebar.showSearch || searchSlot.shown > 0
                text: sidebar.searchQuery
                onTextChanged: if (text !== sidebar.searchQuery) sidebar.setSearchQuery(text)
                onVisibleChanged: if (visible) field.forceActiveFocus()
            }
        }

        Flickable {
            id: flick
            objectName: "list"
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: width
            contentHeight: listColumn.implicitHeight + 20
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
            NumberAnimation { id: scrollAnimation; target: flick; property: "contentY"; duration: 200; easing.type: Easing.InOutQuad }

            Column {
                id: listColumn
                width: flick.width

                // Search mode.
                Item {
                    visible: sidebar.showSearch && sidebar.searchQuery.length === 0
                    width: parent.width
                    height: visible ? hint.implicitHeight + 40 : 0
                    SearchHintView { id: hint; objectName: "searchHint"; y: 40; anchors.horizontalCenter: parent.horizontalCenter }
                }
                Item {
                    visible: sidebar.showSearch && sidebar.searchQuery.length > 0 && sidebar.searchResultCount === 0
                    width: parent.width
                    height: visible ? noResults.implicitHeight + 40 : 0
                    SearchNoResultsView { id: noResults; objectName: "searchNoResults"; y: 40; width: parent.width; query: sidebar.searchQuery }
                }
                Repeater {
                    id: searchRepeater
                    model: sidebar.showSearch && sidebar.searchQuery.length > 0 ? sidebar.searchResults : []
                    PlayerRow {
                        required property var model
                        readonly property bool isValueList: model.modelData !== undefined
                        readonly property var entry: isValueList ? model.modelData : model
                        property string rowId: entry.id
                        objectName: "searchRow_" + rowId
                        width: listColumn.width
                        player: isValueList ? entry.player : RowValues.player(model.player)
                        store: sidebar.store
                        isExpanded: sidebar.expandedRowID === rowId
                        animatesExpansion: sidebar.animatesChanges
                        onTapped: sidebar.expandRow(rowId, true)
                        onCloseRequested: sidebar.closeRow()
                    }
                }

                // Table mode. A list view for its transitions only: it is as
                // tall as its content, so every section is made, and the
                // Flickable around it scrolls. Sections below the list's
                // content lay out from the content's height at once.
                Item {
                    width: listColumn.width
                    height: sectionList.contentHeight
                    visible: !sidebar.showSearch
                    ListView {
                        id: sectionList
                        objectName: "sectionList"
                        width: parent.width
                        height: Math.max(contentHeight, sidebar.heldListHeight)
                        interactive: false
                        currentIndex: -1
                        model: sidebar.showSearch ? [] : sidebar.sections
                        add: Transition {
                            enabled: sidebar.reflowAnimated
                            NumberAnimation { property: "opacity"; from: 0; to: 1; duration: sidebar.reflowDuration; easing.type: Easing.InOutQuad }
                        }
                        remove: Transition {
                            enabled: sidebar.reflowAnimated
                            NumberAnimation { property: "opacity"; to: 0; duration: sidebar.reflowDuration; easing.type: Easing.InOutQuad }
                        }
                        displaced: slideTransition
                        move: slideTransition
                        moveDisplaced: slideTransition
                        Transition {
                            id: slideTransition
                            enabled: sidebar.reflowAnimated
                            NumberAnimation { property: "y"; duration: sidebar.reflowDuration; easing.type: Easing.InOutQuad }
                        }
                        delegate: TableSection {
                            required property var model
                            readonly property var entry: model.modelData !== undefined ? model.modelData : model
                            objectName: "section_" + tableKey
                            width: sectionList.width
                            tableKey: entry.tableKey
                            tableID: entry.tableID
                            gameVariant: entry.variant
                            gameMode: entry.mode
                            windowTitle: entry.windowTitle || ""
                            shortTournamentTitle: entry.shortTitle || ""
                            rows: entry.rows
                            playerCount: entry.rowCount
                            inactiveCount: entry.rowCount - entry.activeCount
                            store: sidebar.store
                            expandedRowID: sidebar.expandedRowID
                            isCollapsed: sidebar.isCollapsed(tableKey)
                            animatesChanges: sidebar.animatesChanges
                            onRowTapped: (rowId) => sidebar.expandRow(rowId, false)
                            onRowCloseRequested: sidebar.closeRow()
                            onCollapseToggled: sidebar.setCollapsed(tableKey, !isCollapsed)
                            onClearInactiveRequested: {
                                sidebar.animateReflow(200)
                                sidebar.clearInactiveRequested(gameVariant, gameMode)
                            }
                            onCardDropped: (dragged, target) => {
                                sidebar.animateReflow(200)
                                sidebar.cardMoveRequested(dragged, target)
                            }
                        }
                    }
                }
                Item {
                    visible: !sidebar.showSearch && sidebar.sectionCount === 0
                    width: parent.width
                    height: visible ? empty.implicitHeight + 40 : 0
                    EmptyStateView {
                        id: empty
                        objectName: "emptyState"
                        y: 40
                        width: parent.width
                        monitorState: sidebar.monitorState
                        hasOpenTables: sidebar.hasOpenTables
                        onRestartRequested: sidebar.restartClientRequested()
                    }
                }
            }
        }
    }
}
