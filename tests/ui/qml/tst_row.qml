import QtQuick
import QtTest
import Tarnwick
import TarnwickTest

Item {
    id: root
    width: 420
    height: 700

    FixtureStore { id: fixtureStore }
    Component { id: rowComponent; PlayerRow { store: fixtureStore } }

    function ring(active) { return { gameVariant: "NLHE", gameMode: "Ring", tableID: "100", isActive: active } }
    function tournament() { return { gameVariant: "NLHE", gameMode: "Tournament", tableID: "200", isActive: true } }

    TestCase {
        name: "PlayerRow"
        when: windowShown

        function makeRow(values, seating, width) {
            const player = fixtureStore.addPlayer(values)
            return createTemporaryObject(rowComponent, root, { player: player, seating: seating, width: width })
        }

        // The row's content is 36 points narrower than the row (8 + 10 on
        // each side).
        function test_statisticsFollowTheWidth_data() {
            return [
                { tag: "179", content: 179, mode: "hidden" },
                { tag: "180", content: 180, mode: "compact" },
                { tag: "200", content: 200, mode: "compact" },
                { tag: "219", content: 219, mode: "compact" },
                { tag: "220", content: 220, mode: "full" },
                { tag: "324", content: 324, mode: "full" },
            ]
        }
        function test_statisticsFollowTheWidth(data) {
            const row = makeRow({ name: "Ann", vpip: 23.9, pfr: 17.2, hands: 40 }, ring(true), data.content + 36)
            waitForRendering(row)
            compare(row.measuredRowWidth, data.content)
            compare(row.statsMode, data.mode)
            const column = findChild(row, "statsColumn")
            compare(column.visible, data.mode !== "hidden")
            compare(findChild(row, "pfrText").visible, data.mode === "full")
            compare(findChild(row, "vpipText").text, "23")
        }

        function test_unmeasuredRowShowsFullStatistics() {
            const row = makeRow({ name: "Ann", vpip: 30, pfr: 20, hands: 40 }, ring(true), 0)
            compare(row.measuredRowWidth, -1)
            compare(row.statsMode, "full")
        }

        function test_noStatisticsOutsideRingTables() {
            const atTournament = makeRow({ name: "T", vpip: 30, pfr: 20, hands: 40 }, tournament(), 400)
            compare(atTournament.statsMode, "hidden")
            const noStats = makeRow({ name: "N" }, ring(true), 400)
            compare(noStats.statsMode, "hidden")
            // A search result whose latest seating is a tournament, despite
            // an older ring seating.
            const search = makeRow({ name: "S", vpip: 30, pfr: 20, hands: 40,
                                     seatings: [ring(false), tournament()] }, null, 400)
            compare(search.statsMode, "hidden")
            const searchRing = makeRow({ name: "R", vpip: 30, pfr: 20, hands: 40,
                                         seatings: [tournament(), ring(false)] }, null, 400)
            compare(searchRing.statsMode, "full")
        }

        function test_indicatorShowsTheFirstTypeOrTheDot() {
            const typed = makeRow({ name: "A", flag: "red", villainTypes: ["🦈", "🐟"] }, ring(true), 360)
            verify(findChild(typed, "typeEmoji").visible)
            compare(findChild(typed, "typeEmoji").text, "🦈")
            verify(!findChild(typed, "dot").visible)

            const flagged = makeRow({ name: "B", flag: "red" }, ring(true), 360)
            verify(findChild(flagged, "dot").visible)
            verify(Qt.colorEqual(findChild(flagged, "dot").color, Theme.flagColor("red")))

            const noted = makeRow({ name: "C", note: "\n  first read \nsecond" }, ring(true), 360)
            verify(Qt.colorEqual(findChild(noted, "dot").color, Qt.rgba(229 / 255, 231 / 255, 235 / 255, 1)))
            // The first line of the trimmed note, as it stands.
            compare(findChild(noted, "dot").tooltip, "first read ")

            const plain = makeRow({ name: "D" }, ring(true), 360)
            verify(Qt.colorEqual(findChild(plain, "dot").color, Theme.greyAt(0.3)))
            compare(findChild(plain, "dot").tooltip, "")
        }

        function test_inactiveSeatingDimsTheRow() {
            compare(makeRow({ name: "A" }, ring(false), 360).opacity, 0.4)
            compare(makeRow({ name: "B" }, ring(true), 360).opacity, 1.0)
        }

        function test_tagsLineOnlyWithTags() {
            const tagged = makeRow({ name: "A", phraseTags: ["aggro", "bluffs"] }, ring(true), 360)
            verify(findChild(tagged, "tagLine").visible)
            const legacy = makeRow({ name: "B", legacyTags: ["callsDown"] }, ring(true), 360)
            verify(findChild(legacy, "tagLine").visible)
            compare(legacy.tags, ["calls-down"])
            verify(!findChild(makeRow({ name: "C" }, ring(true), 360), "tagLine").visible)
        }

        // Names come from other players: never markup.
        function test_namesAreShownAsPlainText() {
            const markup = "<b>x</b><img src=\"file:///etc/passwd\">"
            const row = makeRow({ name: markup, phraseTags: ["<i>t</i>"] }, ring(true), 360)
            const name = findChild(row, "nameText")
            compare(name.text, markup)
            compare(name.textFormat, Text.PlainText)
            // Drawn literally, the text is as wide as its source characters.
            verify(name.implicitWidth > 150)
        }

        function test_tapAsksToExpand() {
            const row = makeRow({ name: "A" }, ring(true), 360)
            const spy = createTemporaryObject(spyComponent, root, { target: row, signalName: "tapped" })
            mouseClick(row, 100, 10)
            compare(spy.count, 1)
        }
    }
    Component { id: spyComponent; SignalSpy {} }
}
