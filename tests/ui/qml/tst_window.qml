import QtQuick
import QtTest
import Tarnwick

// Moving the frameless window by its header and resizing it at its edges.
// Offscreen there is no window manager, so the areas follow the pointer.
Item {
    id: root

    Component {
        id: windowComponent
        Window {
            x: 100
            y: 80
            width: 300
            height: 500
            minimumWidth: 220
            maximumWidth: 420
            minimumHeight: 420
            visible: true
            HeaderView { objectName: "header"; width: parent.width }
            WindowDragArea { objectName: "left"; edges: Qt.LeftEdge; width: 4; anchors { left: parent.left; top: parent.top; bottom: parent.bottom } }
            WindowDragArea { objectName: "right"; edges: Qt.RightEdge; width: 4; anchors { right: parent.right; top: parent.top; bottom: parent.bottom } }
            WindowDragArea { objectName: "bottom"; edges: Qt.BottomEdge; height: 4; anchors { left: parent.left; right: parent.right; bottom: parent.bottom } }
            WindowDragArea {
                objectName: "corner"
                edges: Qt.BottomEdge | Qt.RightEdge
                width: 8
                height: 8
                anchors { right: parent.right; bottom: parent.bottom }
            }
        }
    }

    TestCase {
        name: "WindowMoveAndResize"
        when: windowShown

        function openWindow() {
            const w = createTemporaryObject(windowComponent, root)
            waitForRendering(w.contentItem)
            tryCompare(w.contentItem, "height", 500)
            return w
        }
        function drag(item, x, y, dx, dy) {
            mousePress(item, x, y)
            mouseMove(item, x + dx, y + dy)
            mouseRelease(item, x + dx, y + dy)
        }

        function test_drag_data() {
            return [
                { tag: "header moves the window", area: "header", at: [120, 12], by: [30, 20], geometry: [130, 100, 300, 500] },
                { tag: "right edge widens", area: "right", at: [2, 200], by: [40, 0], geometry: [100, 80, 340, 500] },
                { tag: "right edge stops at the widest", area: "right", at: [2, 200], by: [500, 0], geometry: [100, 80, 420, 500] },
                { tag: "left edge keeps the right side in place", area: "left", at: [2, 200], by: [-50, 0], geometry: [50, 80, 350, 500] },
                { tag: "left edge stops at the narrowest", area: "left", at: [2, 200], by: [200, 0], geometry: [180, 80, 220, 500] },
                { tag: "bottom edge stops at the shortest", area: "bottom", at: [150, 2], by: [0, -200], geometry: [100, 80, 300, 420] },
                { tag: "corner resizes both ways", area: "corner", at: [4, 4], by: [20, 30], geometry: [100, 80, 320, 530] },
            ]
        }
        function test_drag(data) {
            const w = openWindow()
            drag(findChild(w.contentItem, data.area), data.at[0], data.at[1], data.by[0], data.by[1])
            compare([w.x, w.y, w.width, w.height], data.geometry)
        }

        // The header's buttons keep their presses.
        function test_headerButtonsDoNotMoveTheWindow() {
            const w = openWindow()
            const header = findChild(w.contentItem, "header")
            const spy = createTemporaryObject(spyComponent, root, { target: header, signalName: "searchToggled" })
            drag(findChild(header, "searchButton"), 10, 10, 0, 0)
            compare(spy.count, 1)
            compare([w.x, w.y], [100, 80])
        }
    }
    Component { id: spyComponent; SignalSpy {} }
}
