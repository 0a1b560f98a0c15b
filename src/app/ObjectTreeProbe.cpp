#include "ObjectTreeProbe.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QQuickItem>

namespace {
void collect(QObject *object, QJsonArray &items, QSet<QObject *> &seen)
{
    if (!object || seen.contains(object))
        return;
    seen.insert(object);
    if (!object->objectName().isEmpty()) {
        QJsonObject entry{{QStringLiteral("objectName"), object->objectName()}};
        for (const char *name : {"visible", "opacity", "isExpanded", "text"}) {
            const QVariant value = object->property(name);
            if (value.isValid())
                entry.insert(QLatin1String(name), QJsonValue::fromVariant(value));
        }
        const QVariant player = object->property("player");
        if (player.isValid())
            entry.insert(QStringLiteral("playerName"), player.toMap().value(QStringLiteral("name")).toString());
        if (auto *item = qobject_cast<QQuickItem *>(object))
            entry.insert(QStringLiteral("effectivelyVisible"), item->isVisible());
        items.append(entry);
    }
    for (QObject *child : object->children())
        collect(child, items, seen);
    if (auto *item = qobject_cast<QQuickItem *>(object))
        for (QQuickItem *child : item->childItems())
            collect(child, items, seen);
}
} // namespace

ObjectTreeProbe::ObjectTreeProbe(QQuickWindow *window, const QString &socketName, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
    QLocalServer::removeServer(socketName);
    m_server.listen(socketName);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->write(snapshot());
            socket->disconnectFromServer();
        }
    });
}

QByteArray ObjectTreeProbe::snapshot() const
{
    QJsonArray items;
    QSet<QObject *> seen;
    if (m_window) {
        collect(m_window->contentItem(), items, seen);
        collect(m_window, items, seen);
    }
    return QJsonDocument(items).toJson(QJsonDocument::Compact);
}
