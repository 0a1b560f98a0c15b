import QtQuick
import QtTest
import Tarnwick
import TarnwickTest

Item {
    id: root
    width: 360
    height: 700

    FixtureStore { id: fixtureStore }
    Component { id: emptyComponent; EmptyStateView { width: 360 } }
    Component { id: noResultsComponent; SearchNoResultsView { width: 360 } }
    Component { id: bannerComponent; UpdateBannerView { width: 360 } }
    Component { id: sidebarComponent; SidebarView { width: 360; height: 700; store: fixtureStore } }

    function seat(tableID, mode) { return { gameVariant: "NLHE", gameMode: mode || "Ring", tableID: tableID, isActive: true } }
    function section(tableID, names) {
        const key = "NLHE Ring|" + tableID
        const rows = names.map(n => {
            const player = fixtureStore.addPlayer({ name: n, vpip: 20, pfr: 10, hands: 50, seatings: [seat(tableID)] })
            return { rowId: player.id + "|" + key, player: player, seating: seat(tableID) }
        })
        return { tableKey: key, tableID: tableID, variant: "NLHE", mode: "Ring", windowTitle: "",
                 shortTitle: "", rows: rows, rowCount: rows.length, activeCount: rows.length }
    }

    TestCase {
        name: "SearchAndEmptyStates"
        when: windowShown

        function init() { Recorder.reset(); fixtureStore.searchQuery = "" }

        function test_emptyStates_data() {
            return [
                { tag: "offline", state: "offline", open: false, kind: "waiting", child: "waitingState" },
                { tag: "attaching looks like offline", state: "attaching", open: true, kind: "waiting", child: "waitingState" },
                { tag: "ready with tables", state: "ready", open: true, kind: "noPlayers", child: "noPlayersState" },
                { tag: "ready without tables", state: "ready", open: false, kind: "noTables", child: "noTablesState" },
                { tag: "no flag", state: "noFlag", open: true, kind: "noFlag", child: "noFlagState" },
            ]
        }
        function test_emptyStates(data) {
            const view = createTemporaryObject(emptyComponent, root, { monitorState: data.state, hasOpenTables: data.open })
            compare(view.kind, data.kind)
            verify(findChild(view, data.child) !== null)
            if (data.kind === "noPlayers") compare(findChild(view, "title").text, "No players yet")
            if (data.kind === "noTables") compare(findChild(view, "title").text, "Sit at a table to begin")
        }

        function test_restartButton() {
            const view = createTemporaryObject(emptyComponent, root, { monitorState: "noFlag" })
            const spy = createTemporaryObject(spyComponent, root, { target: view, signalName: "restartRequested" })
            const button = findChild(view, "restartButton")
            compare(button.focusPolicy, Qt.NoFocus)
            mouseClick(button)
            compare(spy.count, 1)
            view.monitorState = "attaching"
            compare(view.kind, "waiting")
        }

        function test_noMatchesKeepsTheQueryExactly() {
            const view = createTemporaryObject(noResultsComponent, root, { query: "  Ann  b " })
            compare(findChild(view, "noMatchesText").text, "No matches for \u201C  Ann  b \u201D")
        }

        function test_updateBannerText() {
            const banner = createTemporaryObject(bannerComponent, root)
            compare(findChild(banner, "bannerText").text, "Update available")
            banner.version = "1.4.2"
            compare(findChild(banner, "bannerText").text, "Update available \u2014 v1.4.2")
        }

        function test_searchModeHintResultsAndNoMatches() {
            const found = fixtureStore.addPlayer({ name: "Ann" })
            const bar = createTemporaryObject(sidebarComponent, root)
            waitForRendering(bar)
            verify(findChild(bar, "emptyState").visible)
            mouseClick(findChild(bar, "searchButton"))
            verify(bar.showSearch)
            verify(findChild(bar, "searchBar").visible)
            verify(findChild(bar, "searchHint").visible)
            verify(!findChild(bar, "emptyState").visible)

            // A query of spaces is not empty.
            keyClick(" ")
            compare(fixtureStore.searchQuery, " ")
            verify(!findChild(bar, "searchHint").visible)
            verify(findChild(bar, "searchNoResults").visible)

            bar.searchResults = [{ id: found.id, player: found }]
            verify(!findChild(bar, "searchNoResults").visible)
            const row = findChild(bar, "searchRow_" + found.id)
            verify(row !== null)
            mouseClick(row, 100, 12)
            compare(bar.expandedRowID, found.id)
            mouseClick(row, 100, 12)
            compare(Recorder.eventNames(), ["Player.Expanded"])

            // Leaving search mode clears the query and closes the row.
            mouseClick(findChild(bar, "searchButton"))
            compare(fixtureStore.searchQuery, "")
            compare(bar.expandedRowID, "")
            verify(findChild(bar, "emptyState").visible)
        }

        function test_sectionRowsExpandWithoutEvent() {
            const bar = createTemporaryObject(sidebarComponent, root, { sections: [section("1", ["A", "B"])] })
            waitForRendering(bar)
            const rowId = bar.sections[0].rows[1].rowId
            mouseClick(findChild(bar, "row_" + rowId), 100, 12)
            compare(bar.expandedRowID, rowId)
            compare(Recorder.eventNames(), [])
        }

        // A just-read opponent's editor opens even in a collapsed section,
        // and is scrolled into the middle of the list.
        function test_observedRowOpensInItsSection() {
            const sections = [section("1", ["A", "B", "C", "D", "E", "F"]), section("2", ["G", "H", "I", "J", "K", "L"]),
                              section("3", ["M", "N", "O", "P", "Q", "R"])]
            const bar = createTemporaryObject(sidebarComponent, root, { sections: sections, height: 400 })
            waitForRendering(bar)
            bar.setCollapsed("NLHE Ring|3", true)
            const target = sections[2].rows[4]
            bar.openObservedRow(target.rowId, "NLHE Ring|3")
            verify(!bar.isCollapsed("NLHE Ring|3"))
            const row = findChild(bar, "row_" + target.rowId)
            verify(row.isExpanded)
            // Opened at once, at full height: no easing of the section or the row.
            compare(findChild(bar, "section_NLHE Ring|3").rowsOpenness, 1)
            compare(row.openness, 1)
            verify(bar.animatesChanges)
            const list = findChild(bar, "list")
            tryVerify(() => list.contentY > 0, 2000)
            wait(300)
            const centre = row.mapToItem(list, 0, row.height / 2).y
            verify(Math.abs(centre - list.height / 2) < 40 || list.contentY >= list.contentHeight - list.height - 1,
                   "row centre " + centre)
        }

        function test_focusedTableComesIntoView() {
            const sections = [section("1", ["A", "B", "C", "D", "E", "F", "G"]), section("2", ["H", "I", "J", "K", "L", "M"]),
                              section("3", ["N"])]
            const bar = createTemporaryObject(sidebarComponent, root, { sections: sections, height: 300 })
            waitForRendering(bar)
            bar.setCollapsed("NLHE Ring|2", true)
            bar.focusTable("2")
            verify(!bar.isCollapsed("NLHE Ring|2"))
            const list = findChild(bar, "list")
            tryVerify(() => Math.abs(findChild(bar, "section_NLHE Ring|2").mapToItem(list, 0, 0).y) < 2, 2000)
            // A table without a section changes nothing.
            bar.focusTable("99")
        }
    }
    Component { id: spyComponent; SignalSpy {} }
}
