#pragma once

#include <QDateTime>

#include <functional>

// The source of "now". Objects whose behaviour depends on time take one, so
// tests can move time forward without sleeping.
using Clock = std::function<QDateTime()>;

inline Clock systemClock()
{
    return [] { return QDateTime::currentDateTimeUtc(); };
}
