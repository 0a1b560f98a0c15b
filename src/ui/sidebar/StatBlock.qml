import QtQuick
import QtQuick.Layouts
import Tarnwick

// One statistic tile of the editor.
Rectangle {
    id: block
    property string value
    property string label

    radius: 8
    color: Theme.background
    implicitHeight: column.implicitHeight + 14

    ColumnLayout {
        id: column
        anchors.centerIn: parent
        spacing: 2
        Text {
            objectName: "value"
            Layout.alignment: Qt.AlignHCenter
            text: block.value
            textFormat: Text.PlainText
            font.family: Theme.monospaceFamily
            font.pixelSize: 15
            font.bold: true
            color: "white"
        }
        Text {
            Layout.alignment: Qt.AlignHCenter
            text: block.label
            textFormat: Text.PlainText
            font.pixelSize: 9 // 8.5 points, rounded to whole pixels
            font.weight: Font.DemiBold
            font.letterSpacing: 0.4
            color: Theme.greyAt(0.65)
        }
    }
}
