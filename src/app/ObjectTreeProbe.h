#pragma once

#include <QLocalServer>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>

// Answers every connection on a local socket with the window's named
// items as JSON (one object per item: objectName, visible, opacity, and
// isExpanded, text or the player's name where the item has them), then
// closes it. Only made when TARNWICK_INSPECT_SOCKET names a socket: the
// end-to-end tests look at the running program through it.
class ObjectTreeProbe : public QObject {
    Q_OBJECT

public:
    static constexpr auto environmentVariable = "TARNWICK_INSPECT_SOCKET";

    ObjectTreeProbe(QQuickWindow *window, const QString &socketName, QObject *parent = nullptr);
    bool isListening() const { return m_server.isListening(); }
    QByteArray snapshot() const;

private:
    QPointer<QQuickWindow> m_window;
    QLocalServer m_server;
};
