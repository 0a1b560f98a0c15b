import QtQuick
import QtTest
import Tarnwick
import TarnwickTest

Item {
    id: root
    width: 360
    height: 700

    FixtureStore { id: fixtureStore }
    Component { id: sectionComponent; TableSection { width: 360; store: fixtureStore } }
    Component {
        id: twoSections
        Column {
            width: 360
            property alias first: a
            property alias second: b
            TableSection { id: a; width: 360; tableKey: "NLHE Ring|1"; tableID: "1"; playerCount: 0 }
            TableSection { id: b; width: 360; tableKey: "PLO Ring|2"; tableID: "2"; gameVariant: "PLO"; playerCount: 0 }
        }
    }

    function entry(name, active) {
        const seating = { gameVariant: "NLHE", gameMode: "Ring", tableID: "1", isActive: active }
        const player = fixtureStore.addPlayer({ name: name, seatings: [seating] })
        return { rowId: player.id + "|NLHE Ring|1", player: player, seating: seating }
    }

    TestCase {
        name: "TableSection"
        when: windowShown

        function test_titles_data() {
            return [
                { tag: "ring stakes", variant: "NLHE", mode: "Ring", title: "NL Hold'em 0.5/1 - Table 3", short: "", expected: "NLHE | 0.5/1" },
                { tag: "ring three-part stakes", variant: "PLO", mode: "Ring", title: "PLO 1/2/4 ante", short: "", expected: "PLO | 1/2/4" },
                { tag: "ring no stakes", variant: "NLHE", mode: "Ring", title: "Main room", short: "", expected: "NLHE · ring" },
                { tag: "ring no title", variant: "NLHE", mode: "Ring", title: "", short: "", expected: "NLHE · ring" },
                { tag: "tournament", variant: "PLO", mode: "Tournament", title: "Sunday 10K (Table 4)", short: "Sunday 10K", expected: "PLO | Sunday 10K" },
                { tag: "tournament no short", variant: "NLHE", mode: "Tournament", title: "x", short: "", expected: "NLHE · tournament" },
                { tag: "tournament no title", variant: "NLHE", mode: "Tournament", title: "", short: "", expected: "NLHE · tournament" },
            ]
        }
        function test_titles(data) {
            const section = createTemporaryObject(sectionComponent, root, {
                gameVariant: data.variant, gameMode: data.mode, windowTitle: data.title, shortTournamentTitle: data.short })
            compare(findChild(section, "sectionTitle").text, data.expected)
            compare(findChild(section, "sectionTitle").textFormat, Text.PlainText)
        }

        function test_accentColours() {
            const t = createTemporaryObject(sectionComponent, root, { gameVariant: "PLO", gameMode: "Tournament" })
            verify(Qt.colorEqual(t.accent, Theme.accentTournament))
            const p = createTemporaryObject(sectionComponent, root, { gameVariant: "PLO", gameMode: "Ring" })
            verify(Qt.colorEqual(p.accent, Theme.accentPLO))
            const n = createTemporaryObject(sectionComponent, root, { gameVariant: "NLHE", gameMode: "Ring" })
            verify(Qt.colorEqual(n.accent, Theme.accentNLHE))
        }

        function test_countAndClearButton() {
            const rows = [entry("A", true), entry("B", true), entry("C", false)]
            const section = createTemporaryObject(sectionComponent, root, {
                tableKey: "NLHE Ring|1", tableID: "1", rows: rows, playerCount: 3, inactiveCount: 1 })
            const clear = findChild(section, "clearButton")
            compare(findChild(section, "playerCount").text, "3")
            verify(clear.visible)
            compare(clear.contentItem.text, "clear 1")
            const spy = createTemporaryObject(spyComponent, root, { target: section, signalName: "clearInactiveRequested" })
            const collapse = createTemporaryObject(spyComponent, root, { target: section, signalName: "collapseToggled" })
            mouseClick(clear)
            compare(spy.count, 1)
            compare(collapse.count, 0)
            section.rows = rows.slice(0, 2)
            section.playerCount = 2
            section.inactiveCount = 0
            compare(findChild(section, "playerCount").text, "2")
            verify(!clear.visible)
        }

        function test_headerTapCollapses() {
            const section = createTemporaryObject(sectionComponent, root, {
                tableKey: "NLHE Ring|1", tableID: "1", rows: [entry("A", true)], playerCount: 1 })
            const spy = createTemporaryObject(spyComponent, root, { target: section, signalName: "collapseToggled" })
            mouseClick(findChild(section, "sectionHeader"), 40, 10)
            compare(spy.count, 1)
            compare(findChild(section, "chevron").symbol, "chevron.down")
            const openHeight = section.height
            section.isCollapsed = true
            compare(findChild(section, "chevron").symbol, "chevron.right")
            // The rows are closed over gradually, not cut away at once.
            verify(findChild(section, "rows").visible)
            compare(section.height, openHeight)
            tryVerify(() => !findChild(section, "rows").visible, 2000)
            compare(section.rowsOpenness, 0)
            tryCompare(section, "height", findChild(section, "sectionHeader").height + 4)
        }

        function test_rowsAreExpandedByRowID() {
            const rows = [entry("A", true), entry("B", true)]
            const section = createTemporaryObject(sectionComponent, root, {
                tableKey: "NLHE Ring|1", tableID: "1", rows: rows, playerCount: 2, expandedRowID: rows[1].rowId })
            const spy = createTemporaryObject(spyComponent, root, { target: section, signalName: "rowTapped" })
            verify(!findChild(section, "row_" + rows[0].rowId).isExpanded)
            verify(findChild(section, "row_" + rows[1].rowId).isExpanded)
            waitForRendering(section)
            mouseClick(findChild(section, "row_" + rows[0].rowId), 100, 12)
            compare(spy.signalArguments[0][0], rows[0].rowId)
        }

        // Dragging one header onto the other card moves it before that card.
        function test_dragAndDropReorders() {
            const pair = createTemporaryObject(twoSections, root)
            waitForRendering(pair)
            const spy = createTemporaryObject(spyComponent, root, { target: pair.second, signalName: "cardDropped" })
            const header = findChild(pair.first, "sectionHeader")
            mousePress(header, 30, 10)
            for (let dy = 5; dy <= 40; dy += 5)
                mouseMove(header, 30, 10 + dy)
            // Drag events arrive through the event loop.
            tryVerify(() => pair.second.isDropTargeted, 1000)
            mouseRelease(header, 30, 50)
            tryCompare(spy, "count", 1)
            compare(spy.signalArguments[0][0], "NLHE Ring|1")
            compare(spy.signalArguments[0][1], "PLO Ring|2")
            verify(!pair.second.isDropTargeted)
        }

        function test_dropsWithoutItemsAreRefusedAndOnlyTheFirstCounts() {
            const section = createTemporaryObject(sectionComponent, root, { tableKey: "PLO Ring|2" })
            const spy = createTemporaryObject(spyComponent, root, { target: section, signalName: "cardDropped" })
            verify(!section.acceptDrop([]))
            compare(spy.count, 0)
            verify(section.acceptDrop(["NLHE Ring|1", "NLHE Ring|9"]))
            compare(spy.signalArguments[0][0], "NLHE Ring|1")
            compare(spy.signalArguments[0][1], "PLO Ring|2")
        }
    }
    Component { id: spyComponent; SignalSpy {} }
}
