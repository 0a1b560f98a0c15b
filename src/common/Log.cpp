#include "Log.h"

#include <cstdio>

Q_LOGGING_CATEGORY(lcStore, "tarnwick.store")
Q_LOGGING_CATEGORY(lcReader, "tarnwick.reader")
Q_LOGGING_CATEGORY(lcClient, "tarnwick.client")
Q_LOGGING_CATEGORY(lcServices, "tarnwick.services")
Q_LOGGING_CATEGORY(lcApp, "tarnwick.app")

namespace Log {
namespace {
Sink currentSink = Sink::standardOutput;
Capture currentCapture;
} // namespace

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n')
            out += QLatin1String("\\n");
        else if (u == '\r')
            out += QLatin1String("\\r");
        else if (u == '\t')
            out += QLatin1String("\\t");
        else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || u == 0x2028 || u == 0x2029)
            out += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

void line(const QString &text)
{
    const QString safe = escaped(text);
    if (currentCapture) {
        currentCapture(safe);
        return;
    }
    const QByteArray bytes = safe.toUtf8() + '\n';
    FILE *stream = currentSink == Sink::standardError ? stderr : stdout;
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void setSink(Sink sink) { currentSink = sink; }

void setCapture(Capture capture) { currentCapture = std::move(capture); }

} // namespace Log
