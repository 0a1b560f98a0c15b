import QtQuick
import "RowRules.js" as Rules

// A wrapping row of chips: a chip joins the line when it fits, otherwise
// starts the next one; chips keep their natural size.
Item {
    id: flow
    property real spacing: 4
    default property alias chips: holder.data

    implicitHeight: layoutResult.height
    readonly property var layoutResult: {
        const sizes = []
        const kids = holder.children
        for (let i = 0; i < kids.length; ++i)
            sizes.push({ width: kids[i].implicitWidth, height: kids[i].implicitHeight })
        return Rules.flowLayout(sizes, width, spacing)
    }

    Item {
        id: holder
        anchors.fill: parent
    }

    function place() {
        const kids = holder.children
        const positions = layoutResult.positions
        for (let i = 0; i < kids.length && i < positions.length; ++i) {
            kids[i].x = positions[i].x
            kids[i].y = positions[i].y
            kids[i].width = kids[i].implicitWidth
            kids[i].height = kids[i].implicitHeight
        }
    }
    onLayoutResultChanged: place()
    Component.onCompleted: place()
}
