#pragma once

#include <QLoggingCategory>
#include <QString>

#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcStore)
Q_DECLARE_LOGGING_CATEGORY(lcReader)
Q_DECLARE_LOGGING_CATEGORY(lcClient)
Q_DECLARE_LOGGING_CATEGORY(lcServices)
Q_DECLARE_LOGGING_CATEGORY(lcApp)

// The program's fixed log lines: one line each, on stdout (or on stderr in
// modes whose stdout carries machine-readable output).
namespace Log {

// Writes one line. Control characters in the text are escaped, so a line
// stays one line whatever it contains.
void line(const QString &text);

// Escapes control characters (line breaks, tabs, escape sequences) in text
// that comes from outside: player names, page titles, error texts.
QString escaped(const QString &text);

// Where lines go. Stdout by default; headless mode sends them to stderr.
enum class Sink { standardOutput, standardError };
void setSink(Sink sink);

// Tests capture lines instead of printing them. Pass nullptr to stop.
using Capture = std::function<void(const QString &)>;
void setCapture(Capture capture);

} // namespace Log
