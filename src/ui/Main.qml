import QtQuick
import QtQuick.Controls.Basic
import Tarnwick

// The single window: frameless (the header moves it, the edges resize it),
// the root screen, and the first-run sheets over it.
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
    flags: Qt.Window | Qt.FramelessWindowHint
    color: Theme.background

    Component.onCompleted: {
        App.attachWindow(window)
        App.contentShown()
    }
    onClosing: App.commitPendingEdits()

    // The root screen; the account screens add "signIn".
    Loader {
        id: rootLoader
        objectName: "rootScreen"
        anchors.fill: parent
        sourceComponent: App.rootScreen === "sidebar" ? sidebarScreen : null
    }

    Component {
        id: sidebarScreen
        SidebarView {
            id: sidebar
            objectName: "sidebar"
            store: App.store
            sections: App.sections
            searchResults: App.searchResults
            monitorState: App.monitor ? App.monitor.stateName : "offline"
            hasOpenTables: App.events ? App.events.hasOpenTables : false
            updateAvailable: App.updateController ? App.updateController.updateAvailable === true : false
            pendingVersion: App.updateController && App.updateController.pendingVersion ? App.updateController.pendingVersion : ""
            onRestartClientRequested: App.restartClient()
            onUpdateRequested: if (App.updateController) App.updateController.checkForUpdates()
            onClearInactiveRequested: (variant, mode) => App.clearInactiveSeatings(variant, mode)
            onCardMoveRequested: (dragged, target) => App.store.moveTableCard(dragged, target)
            onShowSettingsChanged: if (showSettings) settingsSheet.open()

            Component.onCompleted: App.startReader()
            Connections {
                target: App.events
                function onRowObserved(rowId, tableKey) { sidebar.openObservedRow(rowId, tableKey) }
                function onTableFocused(tableID) { sidebar.focusTable(tableID) }
                function onTablesSynced() { sidebar.easeTableChanges() }
            }
            Connections {
                target: settingsSheet
                function onClosed() { sidebar.showSettings = false }
            }
        }
    }

    // The settings panel's frame; its sections come with the settings work.
    Popup {
        id: settingsSheet
        objectName: "settingsSheet"
        modal: true
        anchors.centerIn: parent
        width: parent.width - 24
        height: Math.min(parent.height - 48, 480)
        background: Rectangle { color: Theme.surface; radius: 10 }
    }

    Popup {
        id: welcomeSheet
        objectName: "welcomeSheet"
        modal: true
        closePolicy: Popup.NoAutoClose
        visible: App.showWelcome
        anchors.centerIn: parent
        padding: 0
        width: Math.min(340, parent.width)
        background: Rectangle { color: Theme.background; radius: 10; border.color: Theme.white(0.08) }
        WelcomeView {
            objectName: "welcomeView"
            width: welcomeSheet.width
            onDismissed: App.dismissWelcome()
        }
    }

    Popup {
        id: consentSheet
        objectName: "consentSheet"
        modal: true
        closePolicy: Popup.NoAutoClose
        visible: App.showConsent && !App.showWelcome
        anchors.centerIn: parent
        padding: 0
        width: Math.min(340, parent.width)
        background: Rectangle { color: Theme.background; radius: 10; border.color: Theme.white(0.08) }
        ConsentView {
            objectName: "consentView"
            width: consentSheet.width
            privacyPolicyUrl: App.privacyPolicyUrl
            onContinued: App.continueConsent()
        }
    }

    // Resizing at the edges of the frameless window.
    WindowDragArea { objectName: "leftEdge"; edges: Qt.LeftEdge; width: 4; anchors { left: parent.left; top: parent.top; bottom: parent.bottom } }
    WindowDragArea { objectName: "rightEdge"; edges: Qt.RightEdge; width: 4; anchors { right: parent.right; top: parent.top; bottom: parent.bottom } }
    WindowDragArea { objectName: "bottomEdge"; edges: Qt.BottomEdge; height: 4; anchors { left: parent.left; right: parent.right; bottom: parent.bottom } }
    WindowDragArea {
        objectName: "bottomRightCorner"
        edges: Qt.BottomEdge | Qt.RightEdge
        width: 8
        height: 8
        anchors { right: parent.right; bottom: parent.bottom }
    }
}
