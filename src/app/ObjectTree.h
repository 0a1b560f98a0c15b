#pragma once

#include <QObject>
#include <QString>

class QQuickWindow;

namespace ObjectTree {

// The first object named `name` under `root`, searching both object
// children and visual children (view delegates have no object parent), as
// the QML test tools do; null when there is none.
QObject *find(QObject *root, const QString &name);

// The same search over a window's items, then its own objects (popups).
QObject *find(QQuickWindow *window, const QString &name);

} // namespace ObjectTree
