#pragma once

#include <QHashFunctions>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <optional>
#include <utility>
#include <variant>

// One entry of the DevTools target list (GET /json).
struct CDPTarget {
    QString id;
    QString type;
    QString title;
    QString url;
    QString webSocketDebuggerUrl;

    bool operator==(const CDPTarget &) const = default;
};

inline size_t qHash(const CDPTarget &target, size_t seed = 0)
{
    return qHashMulti(seed, target.id, target.type, target.title, target.url, target.webSocketDebuggerUrl);
}

// The DevTools client's own errors, each with a fixed text.
class CDPError {
public:
    enum class Kind { httpError, evaluationFailed, invalidURL, notConnected, decodingFailed, timeout };

    static CDPError httpError(int status) { return CDPError(Kind::httpError, status, {}); }
    static CDPError evaluationFailed(const QString &message) { return CDPError(Kind::evaluationFailed, 0, message); }
    static CDPError invalidURL() { return CDPError(Kind::invalidURL, 0, {}); }
    static CDPError notConnected() { return CDPError(Kind::notConnected, 0, {}); }
    static CDPError decodingFailed() { return CDPError(Kind::decodingFailed, 0, {}); }
    static CDPError timeout() { return CDPError(Kind::timeout, 0, {}); }

    Kind kind() const { return m_kind; }
    int status() const { return m_status; }
    QString message() const { return m_message; }
    QString description() const;

    bool operator==(const CDPError &) const = default;

private:
    CDPError(Kind kind, int status, QString message)
        : m_kind(kind), m_status(status), m_message(std::move(message))
    {
    }

    Kind m_kind;
    int m_status;
    QString m_message;
};

// A failure that is not the client's own: a transport error of the HTTP
// request (refused, timed out) or a JSON decoding error of the target list.
// It reaches the caller unchanged, with its own text.
struct PassedThroughError {
    enum class Source { transport, json };
    Source source = Source::transport;
    QString text;

    QString description() const { return text; }
    bool operator==(const PassedThroughError &) const = default;
};

using CDPFailure = std::variant<CDPError, PassedThroughError>;

QString describe(const CDPFailure &failure);

// A value or an error; the small subset of std::expected the client needs.
template <typename T, typename E>
class Expected {
public:
    Expected(T value) : m_data(std::in_place_index<0>, std::move(value)) {}
    Expected(E error) : m_data(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_data.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T &value() const { return std::get<0>(m_data); }
    const E &error() const { return std::get<1>(m_data); }

private:
    std::variant<T, E> m_data;
};

// The JSON value of an evaluated expression; none when it returned nothing
// (undefined).
using EvaluationResult = Expected<std::optional<QJsonValue>, CDPError>;
using TargetListResult = Expected<QList<CDPTarget>, CDPFailure>;
