import QtQuick

// Moves the frameless window (edges 0), or resizes it from the `edges` it
// lies on. The window manager does it where it offers that; without one
// (or on a platform that has none) the area follows the pointer itself,
// within the window's size limits.
MouseArea {
    id: area
    property int edges: 0

    // Set while this area moves or resizes the window by hand.
    property bool followsPointer: false
    property point pressPoint
    property rect startGeometry

    cursorShape: edges === 0 ? Qt.ArrowCursor
               : edges === Qt.LeftEdge || edges === Qt.RightEdge ? Qt.SizeHorCursor
               : edges === Qt.TopEdge || edges === Qt.BottomEdge ? Qt.SizeVerCursor
               : edges === (Qt.BottomEdge | Qt.RightEdge) || edges === (Qt.TopEdge | Qt.LeftEdge) ? Qt.SizeFDiagCursor
               : Qt.SizeBDiagCursor

    // The window's geometry after the pointer moved by (dx, dy) from where
    // it was pressed.
    function geometryAfter(start, dx, dy, w) {
        if (edges === 0)
            return Qt.rect(start.x + dx, start.y + dy, start.width, start.height)
        const clampWidth = (v) => Math.max(w.minimumWidth, w.maximumWidth > 0 ? Math.min(v, w.maximumWidth) : v)
        const clampHeight = (v) => Math.max(w.minimumHeight, w.maximumHeight > 0 ? Math.min(v, w.maximumHeight) : v)
        let x = start.x, y = start.y, width = start.width, height = start.height
        if (edges & Qt.RightEdge) width = clampWidth(start.width + dx)
        if (edges & Qt.LeftEdge) {
            width = clampWidth(start.width - dx)
            x = start.x + start.width - width
        }
        if (edges & Qt.BottomEdge) height = clampHeight(start.height + dy)
        if (edges & Qt.TopEdge) {
            height = clampHeight(start.height - dy)
            y = start.y + start.height - height
        }
        return Qt.rect(x, y, width, height)
    }

    onPressed: (mouse) => {
        const w = Window.window
        if (!w) return
        const handled = edges === 0 ? w.startSystemMove() : w.startSystemResize(edges)
        followsPointer = !handled
        if (followsPointer) {
            pressPoint = mapToGlobal(mouse.x, mouse.y)
            startGeometry = Qt.rect(w.x, w.y, w.width, w.height)
        }
    }
    onPositionChanged: (mouse) => {
        const w = Window.window
        if (!followsPointer || !w) return
        const p = mapToGlobal(mouse.x, mouse.y)
        const g = geometryAfter(startGeometry, p.x - pressPoint.x, p.y - pressPoint.y, w)
        w.x = g.x
        w.y = g.y
        w.width = g.width
        w.height = g.height
    }
    onReleased: followsPointer = false
    onCanceled: followsPointer = false
}
