import QtQuick
import Tarnwick

// A small indeterminate spinner: twelve spokes with a bright one stepping
// round once a second. Stepping draws twelve frames a second where a
// smoothly turning indicator draws one per display refresh, which kept a
// waiting program busy.
Item {
    id: spinner
    property bool running: true
    property color color: Theme.grey
    // The bright spoke, 0 to 11.
    property int step: 0

    implicitWidth: 20
    implicitHeight: 20

    Timer {
        interval: 83
        repeat: true
        running: spinner.running && spinner.visible
        onTriggered: spinner.step = (spinner.step + 1) % 12
    }
    Repeater {
        model: 12
        Rectangle {
            required property int index
            x: (spinner.width - width) / 2
            width: Math.max(1.5, spinner.width / 10)
            height: spinner.height * 0.28
            radius: width / 2
            color: spinner.color
            // The spokes behind the bright one fade out.
            opacity: 1 - 0.8 * ((spinner.step - index + 12) % 12) / 11
            transform: Rotation { origin.x: width / 2; origin.y: spinner.height / 2; angle: index * 30 }
        }
    }
}
