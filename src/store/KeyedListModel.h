#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QSet>

#include <functional>

// A list model whose rows are identified by a key. refreshRows() brings the
// rows to a new list with the smallest plain edits (remove, move, insert,
// change), never a reset, so views keep the state of rows that stay: an open
// editor, a focused text field, a scroll position.
class KeyedListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

protected:
    // Item: what the model holds per row. Next: the new value of a row.
    // keyOfItem/keyOfNext give a row's key; make builds an item for a new
    // row; update(row, next) brings an existing row up to date and emits
    // dataChanged itself when something changed.
    template<typename Item, typename Next, typename KeyOfItem, typename KeyOfNext, typename Make, typename Update>
    void refreshRows(QList<Item> &items, const QList<Next> &next, KeyOfItem keyOfItem, KeyOfNext keyOfNext, Make make,
                     Update update)
    {
        using Key = decltype(keyOfNext(next.first()));
        QSet<Key> nextKeys;
        nextKeys.reserve(next.size());
        for (const Next &n : next)
            nextKeys.insert(keyOfNext(n));

        // Removals, as contiguous ranges from the end.
        for (qsizetype i = items.size() - 1; i >= 0; --i) {
            if (nextKeys.contains(keyOfItem(items.at(i))))
                continue;
            const qsizetype last = i;
            while (i > 0 && !nextKeys.contains(keyOfItem(items.at(i - 1))))
                --i;
            beginRemoveRows({}, int(i), int(last));
            items.remove(i, last - i + 1);
            endRemoveRows();
        }

        QSet<Key> present;
        present.reserve(items.size());
        for (const Item &item : std::as_const(items))
            present.insert(keyOfItem(item));

        for (qsizetype i = 0; i < next.size(); ++i) {
            const Key key = keyOfNext(next.at(i));
            if (i < items.size() && keyOfItem(items.at(i)) == key) {
                update(int(i), next.at(i));
                continue;
            }
            if (present.contains(key)) {
                qsizetype from = i + 1;
                while (keyOfItem(items.at(from)) != key)
                    ++from;
                beginMoveRows({}, int(from), int(from), {}, int(i));
                items.move(from, i);
                endMoveRows();
                update(int(i), next.at(i));
                continue;
            }
            // New rows, as one contiguous range.
            qsizetype last = i;
            while (last + 1 < next.size() && !present.contains(keyOfNext(next.at(last + 1))))
                ++last;
            beginInsertRows({}, int(i), int(last));
            for (qsizetype j = i; j <= last; ++j) {
                items.insert(j, make(next.at(j)));
                present.insert(keyOfNext(next.at(j)));
            }
            endInsertRows();
            i = last;
        }
    }
};
