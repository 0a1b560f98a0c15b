import QtQuick
import QtTest
import Tarnwick
import TarnwickTest
import "../../../src/ui/sidebar/RowRules.js" as Rules

Item {
    id: root
    width: 360
    height: 700

    FixtureStore { id: fixtureStore }
    Component { id: editorComponent; PlayerDetailView { store: fixtureStore; width: 360 } }
    Component { id: rowComponent; PlayerRow { store: fixtureStore; width: 360 } }
    Component {
        id: flowComponent
        TagFlow {
            spacing: 4
            Repeater {
                model: 5
                Rectangle { implicitWidth: 50; implicitHeight: 20 }
            }
        }
    }

    function ring() { return { gameVariant: "NLHE", gameMode: "Ring", tableID: "100", isActive: true } }

    TestCase {
        name: "PlayerDetailView"
        when: windowShown

        function init() { Recorder.reset(); fixtureStore.resetCount() }

        function open(values, seating) {
            const player = fixtureStore.addPlayer(values)
            const view = createTemporaryObject(editorComponent, root, { player: player, seating: seating === undefined ? ring() : seating })
            waitForRendering(view)
            return view
        }

        function test_statTilesAndHandsFormat_data() {
            return [
                { tag: "999", hands: 999, text: "999" },
                { tag: "1000", hands: 1000, text: "1.0k" },
                { tag: "1234", hands: 1234, text: "1.2k" },
                { tag: "15360", hands: 15360, text: "15.4k" },
            ]
        }
        function test_statTilesAndHandsFormat(data) {
            const view = open({ name: "A", vpip: 23.9, pfr: 9.99, hands: data.hands })
            verify(findChild(view, "statTiles").visible)
            compare(findChild(findChild(view, "vpipTile"), "value").text, "23%")
            compare(findChild(findChild(view, "pfrTile"), "value").text, "9%")
            compare(findChild(findChild(view, "handsTile"), "value").text, data.text)
        }

        function test_noTilesAtATournament() {
            const view = open({ name: "A", vpip: 20, pfr: 10, hands: 10 },
                              { gameVariant: "PLO", gameMode: "Tournament", tableID: "7", isActive: true })
            verify(!findChild(view, "statTiles").visible)
        }

        function test_tagFlowWraps() {
            // Three 50-point chips with 4 points between fit in 158; the
            // fourth starts a new line.
            const flow = createTemporaryObject(flowComponent, root, { width: 158 })
            waitForRendering(flow)
            compare(flow.implicitHeight, 20 + 4 + 20)
            const layout = Rules.flowLayout([{width: 50, height: 20}, {width: 50, height: 20}, {width: 50, height: 20},
                                             {width: 50, height: 20}, {width: 50, height: 20}], 158, 4)
            compare(layout.positions[2], { x: 108, y: 0 })
            compare(layout.positions[3], { x: 0, y: 24 })
            // A chip wider than the line still gets a line of its own.
            const wide = Rules.flowLayout([{width: 200, height: 10}, {width: 30, height: 12}], 100, 4)
            compare(wide.positions[1], { x: 0, y: 14 })
            compare(wide.height, 26)
        }

        // Legacy type tags turn into emoji types first; other legacy tags stay.
        function test_toggleTypeOnLegacyTags() {
            const view = open({ name: "A", legacyTags: ["fish", "aggro", "passive"] })
            compare(view.editor.villainTypes, ["🐟"])
            mouseClick(findChild(view, "typeChip_🦈"))
            const record = fixtureStore.record(view.editor.playerID)
            compare(record.storedVillainTypes, ["🐟", "🦈"])
            compare(record.legacyTags, ["aggro", "passive"])
            compare(Recorder.events()[0].name, "VillainType.Toggled")
            compare(Recorder.events()[0].parameters, { emoji: "🦈", action: "added" })
            mouseClick(findChild(view, "typeChip_🐟"))
            compare(fixtureStore.record(view.editor.playerID).storedVillainTypes, ["🦈"])
            compare(Recorder.events()[1].parameters, { emoji: "🐟", action: "removed" })
        }

        // A tag absent from the catalog has no chip and survives every save.
        function test_tagOutsideTheCatalogStays() {
            const view = open({ name: "A", phraseTags: ["custom"] })
            compare(findChild(view, "tagChip_custom"), null)
            mouseClick(findChild(view, "tagChip_aggro"))
            compare(fixtureStore.record(view.editor.playerID).phraseTags, ["custom", "aggro"])
            compare(Recorder.events()[0].name, "Tag.Toggled")
            compare(Recorder.events()[0].parameters, { label: "aggro", action: "added" })
        }

        function test_flagPickerOffersEnabledColoursInOrder() {
            const view = open({ name: "A" })
            const picker = findChild(view, "flagPicker")
            let names = []
            for (let i = 0; i < picker.children.length; ++i)
                if (picker.children[i].objectName.startsWith("flag_")) names.push(picker.children[i].objectName)
            compare(names, ["flag_red", "flag_green", "flag_blue"])

            mouseClick(findChild(view, "flag_blue"))
            compare(fixtureStore.record(view.editor.playerID).flag, "blue")
            mouseClick(findChild(view, "flag_blue"))
            compare(fixtureStore.record(view.editor.playerID).flag, "")
            compare(Recorder.events().map(e => e.parameters.color), ["blue", "cleared"])
        }

        function test_threeQuickKeystrokesSaveOnce() {
            const view = open({ name: "A" })
            const note = findChild(view, "noteEdit")
            note.forceActiveFocus()
            const started = Date.now()
            keyClick("a"); keyClick("b"); keyClick("c")
            // On a machine too busy to type three keys within the wait,
            // "quick" cannot be judged.
            if (Date.now() - started > 300)
                skip("the keystrokes took longer than the note's wait")
            compare(fixtureStore.storeCount, 0)
            verify(view.editor.notePending)
            tryCompare(fixtureStore, "storeCount", 1, 2000)
            wait(500)
            compare(fixtureStore.storeCount, 1)
            compare(fixtureStore.record(view.editor.playerID).note, "abc")
            compare(Recorder.eventNames(), ["Note.Edited"])
        }

        function test_closingInsideTheWaitSavesAtOnce() {
            const view = open({ name: "A" })
            const spy = createTemporaryObject(spyComponent, root, { target: view, signalName: "closeRequested" })
            findChild(view, "noteEdit").forceActiveFocus()
            const started = Date.now()
            keyClick("x")
            mouseClick(findChild(view, "editorHeader"), 16, 16)
            if (Date.now() - started > 300)
                skip("typing and closing took longer than the note's wait")
            compare(fixtureStore.storeCount, 1)
            compare(spy.count, 1)
            compare(fixtureStore.record(view.editor.playerID).note, "x")
            wait(600)
            compare(fixtureStore.storeCount, 1)
        }

        function test_clearingTheNoteSavesWithoutEvent() {
            const view = open({ name: "A", note: "old read" })
            findChild(view, "noteEdit").text = ""
            tryCompare(fixtureStore, "storeCount", 1, 2000)
            compare(fixtureStore.record(view.editor.playerID).note, "")
            compare(Recorder.eventNames(), [])
        }

        // An import arriving while the editor is open is never rolled back.
        function test_typingSurvivesAnImportIntoTheSamePlayer() {
            const view = open({ name: "A", vpip: 10, pfr: 5, hands: 100, seatings: [ring()] })
            const id = view.editor.playerID
            findChild(view, "noteEdit").forceActiveFocus()
            keyClick("n")
            fixtureStore.importStats(id, 40, 30, 500, "T2")
            tryCompare(fixtureStore, "storeCount", 1, 2000)
            let record = fixtureStore.record(id)
            compare(record.note, "n")
            compare(record.vpip, 40)
            compare(record.seatingCount, 2)
            mouseClick(findChild(view, "flag_red"))
            record = fixtureStore.record(id)
            compare(record.flag, "red")
            compare(record.hands, 500)
            compare(record.note, "n")
        }

        // Another observation opens another row: the editor disappears and
        // commits what was typed at once.
        function test_editorDisappearingCommitsAtOnce() {
            const player = fixtureStore.addPlayer({ name: "A", seatings: [ring()] })
            const row = createTemporaryObject(rowComponent, root, { player: player, seating: ring(), isExpanded: true })
            waitForRendering(row)
            findChild(row.editor, "noteEdit").forceActiveFocus()
            const started = Date.now()
            keyClick("q")
            if (Date.now() - started > 300)
                skip("the keystroke took longer than the note's wait")
            compare(fixtureStore.storeCount, 0)
            row.isExpanded = false
            compare(fixtureStore.storeCount, 1)
            compare(fixtureStore.record(player.id).note, "q")
        }
    }
    Component { id: spyComponent; SignalSpy {} }
}
