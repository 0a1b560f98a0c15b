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
