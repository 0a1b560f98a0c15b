#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <QtQml/qqmlregistration.h>

#include <functional>

// The two window settings of the sidebar: float above normal windows, and
// show on every desktop. Each change is stored at once and applied to the
// window, when the window is known. The shell owns the one instance the
// program uses; tests make their own.
class WindowBehaviorController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by the application")
    Q_PROPERTY(bool floatOnTop READ floatOnTop WRITE setFloatOnTop NOTIFY floatOnTopChanged)
    Q_PROPERTY(bool allSpaces READ allSpaces WRITE setAllSpaces NOTIFY allSpacesChanged)
    Q_PROPERTY(QWindow *window READ window WRITE setWindow NOTIFY windowChanged)
    Q_PROPERTY(int windowLevel READ windowLevel NOTIFY floatOnTopChanged)
    Q_PROPERTY(int collectionBehavior READ collectionBehavior NOTIFY allSpacesChanged)

public:
    static constexpr auto floatOnTopKey = "windowFloatOnTop";
    static constexpr auto allSpacesKey = "windowAllSpaces";

    // Window levels and collection behaviours, in the values the settings
    // were first written for.
    static constexpr int normalLevel = 0;
    static constexpr int floatingLevel = 3;
    static constexpr int managedBehavior = 132;   // managed, full-screen primary
    static constexpr int allSpacesBehavior = 149; // + can join all spaces, stationary

    // Applies a level and a collection behaviour to a window.
    using Applier = std::function<void(QWindow *, int level, int collectionBehavior)>;

    // Reads both settings from the user's settings.
    explicit WindowBehaviorController(QObject *parent = nullptr);

    bool floatOnTop() const { return m_floatOnTop; }
    void setFloatOnTop(bool on);
    bool allSpaces() const { return m_allSpaces; }
    void setAllSpaces(bool on);
    QWindow *window() const { return m_window; }
    // Remembers the window (weakly) and applies both settings to it.
    void setWindow(QWindow *window);

    int windowLevel() const { return m_floatOnTop ? floatingLevel : normalLevel; }
    int collectionBehavior() const { return m_allSpaces ? allSpacesBehavior : managedBehavior; }

    // Applies both settings to the window; nothing without one.
    Q_INVOKABLE void apply();

    // Replaces the platform layer (tests record what would be applied).
    void setApplier(Applier applier) { m_applier = std::move(applier); }

Q_SIGNALS:
    void floatOnTopChanged();
    void allSpacesChanged();
    void windowChanged();

private:
    bool m_floatOnTop = false;
    bool m_allSpaces = false;
    QPointer<QWindow> m_window;
    Applier m_applier;
};

// The platform half: keep-on-top through the window flag, all desktops
// through the window manager's sticky state on X11.
namespace WindowLayer {
void apply(QWindow *window, int level, int collectionBehavior);
// Whether the window manager was asked to keep the window on every desktop
// (X11 only; false elsewhere).
bool isSticky(QWindow *window);
} // namespace WindowLayer
