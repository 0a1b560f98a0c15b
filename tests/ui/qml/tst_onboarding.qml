import QtQuick
import QtTest
import Tarnwick
import TarnwickTest

Item {
    id: root
    width: 360
    height: 700

    Component { id: welcomeComponent; WelcomeView {} }
    Component { id: consentComponent; ConsentView {} }

    TestCase {
        name: "Onboarding"
        when: windowShown

        function init() { Recorder.reset() }

        function test_welcomeGotItSendsEventThenDismisses() {
            const view = createTemporaryObject(welcomeComponent, root)
            let order = []
            view.dismissed.connect(() => order.push("dismissed:" + Recorder.eventNames().join(",")))
            mouseClick(findChild(view, "gotItButton"))
            compare(order, ["dismissed:Welcome.Dismissed"])
        }

        function test_returnActivatesEachScreensButton() {
            const welcome = createTemporaryObject(welcomeComponent, root)
            const spy = createTemporaryObject(spyComponent, root, { target: welcome, signalName: "dismissed" })
            keyClick(Qt.Key_Return)
            compare(spy.count, 1)
            welcome.destroy()
            wait(0)
            const consent = createTemporaryObject(consentComponent, root)
            const spy2 = createTemporaryObject(spyComponent, root, { target: consent, signalName: "continued" })
            keyClick(Qt.Key_Return)
            compare(spy2.count, 1)
        }

        // First launch: both switches off; Continue stores false, false, true.
        function test_consentStoresChoicesOnlyOnContinue() {
            Recorder.clearSettings()
            const view = createTemporaryObject(consentComponent, root)
            compare(view.allowCrashReports, false)
            compare(view.allowAnalytics, false)
            const crash = findChild(findChild(view, "crashToggle"), "toggle")
            mouseClick(crash)
            compare(view.allowCrashReports, true)
            verify(!Recorder.hasSetting("tarnwick.consent.crash"))
            mouseClick(crash)
            mouseClick(findChild(view, "continueButton"))
            compare(Recorder.setting("tarnwick.consent.crash"), false)
            compare(Recorder.setting("tarnwick.consent.analytics"), false)
            compare(Recorder.setting("tarnwick.consent.shown"), true)
            // Declining analytics: the gate already sees the refusal.
            compare(Recorder.eventNames(), [])
        }

        function test_consentDecisionCarriesBothChoices() {
            Recorder.setSetting("tarnwick.consent.analytics", true)
            const view = createTemporaryObject(consentComponent, root)
            compare(view.allowAnalytics, true)
            mouseClick(findChild(findChild(view, "crashToggle"), "toggle"))
            mouseClick(findChild(view, "continueButton"))
            const events = Recorder.events()
            compare(events.length, 1)
            compare(events[0].name, "Consent.Decision")
            compare(events[0].parameters.analytics, "granted")
            compare(events[0].parameters.crashReports, "granted")
            compare(Recorder.setting("tarnwick.consent.crash"), true)
        }

        function test_privacyLinkOnlyForValidAddress() {
            const view = createTemporaryObject(consentComponent, root)
            verify(findChild(view, "privacyLink").visible)
            view.privacyPolicyUrl = "not a url"
            verify(!findChild(view, "privacyLink").visible)
        }
    }

    Component { id: spyComponent; SignalSpy {} }
}
