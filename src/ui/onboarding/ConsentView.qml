import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Tarnwick

// Asks once for crash reports and usage analytics. Nothing is stored
// before Continue.
Rectangle {
    id: view
    signal continued()

    property string privacyPolicyUrl: "https://tarnwick.app/privacy"
    property bool allowCrashReports: UserDefaults.boolValue("tarnwick.consent.crash")
    property bool allowAnalytics: UserDefaults.boolValue("tarnwick.consent.analytics")

    width: 340
    implicitHeight: column.implicitHeight
    color: Theme.background

    function proceed() {
        UserDefaults.setBool("tarnwick.consent.crash", allowCrashReports)
        UserDefaults.setBool("tarnwick.consent.analytics", allowAnalytics)
        UserDefaults.setBool("tarnwick.consent.shown", true)
        Analytics.signal("Consent.Decision", {
            "analytics": allowAnalytics ? "granted" : "declined",
            "crashReports": allowCrashReports ? "granted" : "declined"
        })
        view.continued()
    }

    function isValidUrl(text) {
        return /^https?:\/\/[^\s/?#]+\.[^\s/?#]+/.test(text)
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        enabled: view.visible
        onActivated: view.proceed()
    }

    ColumnLayout {
        id: column
        width: parent.width
        spacing: 0

        SymbolIcon {
            Layout.topMargin: 26
            Layout.bottomMargin: 14
            Layout.alignment: Qt.AlignHCenter
            symbol: "shield.lefthalf.filled"
            size: 28
            color: Theme.accent
        }
        Text {
            Layout.alignment: Qt.AlignHCenter
            Layout.bottomMargin: 6
            text: "Help improve Tarnwick"
            textFormat: Text.PlainText
            font.pixelSize: 16
            font.weight: Font.DemiBold
            color: "white"
        }
        Text {
            Layout.fillWidth: true
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.bottomMargin: 18
            text: "Anonymous usage stats & crash reports help Tarnwick get better. No player names, no hands, no personally identifying data."
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
            font.pixelSize: 11
            color: Theme.grey
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.bottomMargin: 16
            spacing: 8
            ConsentToggleRow {
                objectName: "crashToggle"
                Layout.fillWidth: true
                label: "Crash reports"
                caption: "Stack traces, app/OS version — no player data"
                isOn: view.allowCrashReports
                onIsOnChanged: view.allowCrashReports = isOn
            }
            ConsentToggleRow {
                objectName: "analyticsToggle"
                Layout.fillWidth: true
                label: "Usage analytics"
                caption: "Coarse events like app launches, CDP connection — no PII"
                isOn: view.allowAnalytics
                onIsOnChanged: view.allowAnalytics = isOn
            }
        }
        Text {
            objectName: "privacyLink"
            visible: view.isValidUrl(view.privacyPolicyUrl)
            Layout.alignment: Qt.AlignHCenter
            Layout.bottomMargin: 18
            text: "Privacy policy"
            textFormat: Text.PlainText
            font.pixelSize: 10
            font.weight: Font.Medium
            color: Theme.accent
            MouseArea {
                anchors.fill: parent
                cursorShape: Qt.PointingHandCursor
                onClicked: Qt.openUrlExternally(view.privacyPolicyUrl)
            }
        }
        ProminentButton {
            objectName: "continueButton"
            Layout.fillWidth: true
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            Layout.bottomMargin: 22
            label: "Continue"
            onClicked: view.proceed()
        }
    }
}
