#pragma once

#include <QObject>

// A deleter for QObjects released while they may still be emitting a signal.
// A QNetworkReply resumes the coroutine that awaits it from inside its own
// finished() signal: deleting it there at once corrupts Qt's state.
struct DeleteLater {
    void operator()(QObject *object) const
    {
        if (object)
            object->deleteLater();
    }
};
