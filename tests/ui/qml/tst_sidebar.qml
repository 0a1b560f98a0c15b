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

        // The waiting spinner steps only while it can be seen.
        function test_spinnerStepsOnlyWhileShown() {
            const view = createTemporaryObject(emptyComponent, root, { monitorState: "offline" })
            const spinner = findChild(view, "spinner")
            const first = spinner.step
            tryVerify(() => spinner.step !== first, 1000)
            view.visible = false
            const hidden = spinner.step
            wait(300)
            compare(spinner.step, hidden)
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

    // The store's own section model, for the changes the sidebar eases.
    FixtureTables { id: tables }
    Component { id: liveSidebarComponent; SidebarView { width: 360; height: 700 } }

    TestCase {
        name: "SectionChanges"
        when: windowShown

        // Table 1: Ann and Cid playing, Bob gone; table 2: Dee.
        function openTables() {
            tables.open([
                { name: "Ann", seatings: [{ tableID: "1" }] },
                { name: "Bob", seatings: [{ tableID: "1", isActive: false }] },
                { name: "Cid", seatings: [{ tableID: "1" }] },
                { name: "Dee", seatings: [{ tableID: "2" }] },
            ])
            const bar = createTemporaryObject(liveSidebarComponent, root, { sections: tables.sections })
            waitForRendering(bar)
            compare(bar.sectionCount, 2)
            return bar
        }
        function sectionsByPlace(bar) {
            const one = findChild(bar, "section_NLHE Ring|1")
            const two = findChild(bar, "section_NLHE Ring|2")
            return one.y < two.y ? { first: one, second: two, firstID: "1" } : { first: two, second: one, firstID: "2" }
        }
        // Samples `probe` over about half a second of frames; true when it
        // held in at least one of them.
        function seenDuringChange(probe) {
            for (let i = 0; i < 40; ++i) {
                wait(12)
                if (probe()) return true
            }
            return false
        }

        function test_closedTableFadesWhileTheNextSlidesUp() {
            const bar = openTables()
            const places = sectionsByPlace(bar)
            const leaving = places.first
            const staying = places.second
            const startY = staying.y
            verify(startY > 0)
            // The order the sidebar follows: the store changes, then the
            // sidebar hears that tables closed.
            tables.closeTables([places.firstID])
            bar.easeTableChanges()
            let fading = false, sliding = false
            verify(seenDuringChange(() => {
                if (leaving && leaving.opacity > 0 && leaving.opacity < 1) fading = true
                if (staying.y > 1 && staying.y < startY - 1) sliding = true
                return fading && sliding
            }), "fading " + fading + ", sliding " + sliding)
            tryCompare(staying, "y", 0, 2000)
            compare(bar.sectionCount, 1)
        }

        // Changes the sidebar was not told to ease (an import's) show at once.
        function test_unannouncedChangeShowsAtOnce() {
            const bar = openTables()
            const places = sectionsByPlace(bar)
            tables.closeTables([places.firstID])
            waitForRendering(bar)
            compare(places.second.y, 0)
        }

        function test_clearedRowsFadeAndTheNextSectionSlidesUp() {
            const bar = openTables()
            bar.clearInactiveRequested.connect(tables.clearInactive)
            const section = findChild(bar, "section_NLHE Ring|1")
            if (section.y > 0) {
                // Table 1 on top, so the other section moves after the clear.
                tables.moveTableCard("NLHE Ring|1", "NLHE Ring|2")
                waitForRendering(bar)
            }
            compare(section.y, 0)
            const below = findChild(bar, "section_NLHE Ring|2")
            const bob = findChild(section, "rows").itemAtIndex(2)
            compare(bob.player.name, "Bob")
            compare(bob.opacity, 0.4)
            const startY = below.y
            mouseClick(findChild(section, "clearButton"))
            compare(section.playerCount, 2)
            let fading = false, sliding = false
            verify(seenDuringChange(() => {
                if (bob && bob.opacity > 0 && bob.opacity < 0.4) fading = true
                if (below.y > section.y && below.y < startY - 1) sliding = true
                return fading && sliding
            }), "fading " + fading + ", sliding " + sliding)
            tryVerify(() => Math.abs(below.y - section.height) < 1, 2000)
            verify(!findChild(section, "clearButton").visible)
        }

        function test_droppedCardSlidesToItsPlace() {
            const bar = openTables()
            bar.cardMoveRequested.connect(tables.moveTableCard)
            const places = sectionsByPlace(bar)
            const moving = places.second
            const startY = moving.y
            // What a drop onto the top card runs.
            places.first.cardDropped(moving.tableKey, places.first.tableKey)
            verify(seenDuringChange(() => moving.y > 1 && moving.y < startY - 1))
            tryCompare(moving, "y", 0, 2000)
        }
    }
    Component { id: spyComponent; SignalSpy {} }
}
