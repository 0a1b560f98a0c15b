#pragma once

#include <QObject>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

// What the views send to the analytics layer: one call per event, through
// the same consent gate as the rest of the program.
class AnalyticsEvents : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Analytics)
    QML_SINGLETON

public:
    using QObject::QObject;
    // Parameters are turned into strings.
    Q_INVOKABLE void signal(const QString &name, const QVariantMap &parameters = {});
};

// The user's small settings (QSettings of the application); a key never
// written reads as false.
class UserDefaults : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;
    Q_INVOKABLE bool boolValue(const QString &key) const;
    Q_INVOKABLE void setBool(const QString &key, bool value);
};

// Turns what the store's models hold into the plain values the rows show.
class RowValues : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;
    // A record (the models' "player" role) as PlayerValues; a map is
    // returned as it is (fixtures).
    Q_INVOKABLE QVariantMap player(const QVariant &record) const;
    // A row's seating from its game type label ("NLHE Ring").
    Q_INVOKABLE QVariantMap seating(const QString &gameType, const QString &tableID, bool isActive) const;
};
