#include "ObjectTree.h"

#include <QQuickItem>
#include <QQuickWindow>

QObject *ObjectTree::find(QObject *root, const QString &name)
{
    if (!root)
        return nullptr;
    if (root->objectName() == name)
        return root;
    for (QObject *child : root->children())
        if (QObject *found = find(child, name))
            return found;
    if (auto *item = qobject_cast<QQuickItem *>(root))
        for (QQuickItem *child : item->childItems())
            if (child->parent() != item)
                if (QObject *found = find(child, name))
                    return found;
    return nullptr;
}

QObject *ObjectTree::find(QQuickWindow *window, const QString &name)
{
    if (!window)
        return nullptr;
    if (QObject *found = find(window->contentItem(), name))
        return found;
    return find(static_cast<QObject *>(window), name);
}
