import QtQuick
import QtQuick.Controls
import Tarnwick

ApplicationWindow {
    id: window
    objectName: "main"
    title: "Tarnwick"
    width: 360
    height: 700
    minimumWidth: 220
    maximumWidth: 420
    minimumHeight: 420
    visible: true
    color: Theme.background
}
