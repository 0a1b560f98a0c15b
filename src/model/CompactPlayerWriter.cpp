#include "PlayerJson.h"

#include <charconv>
#include <cmath>

namespace PlayerJson {

namespace {
class Writer {
public:
    explicit Writer(QByteArray &out) : m_out(out) {}

    // UTF-8 with JSON escapes, encoded by hand to avoid a temporary per
    // string (the file holds tens of thousands of them).
    void string(const QString &text)
    {
        static const char hex[] = "0123456789abcdef";
        m_out.append('"');
        const char16_t *data = reinterpret_cast<const char16_t *>(text.constData());
        const qsizetype size = text.size();
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t c = data[i];
            if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
                m_out.append(char(c));
            } else if (c >= 0x80 && c < 0x800) {
                const char bytes[] = {char(0xc0 | (c >> 6)), char(0x80 | (c & 0x3f))};
                m_out.append(bytes, 2);
            } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(data[i + 1])) {
                const char32_t u = QChar::surrogateToUcs4(c, data[++i]);
                const char bytes[] = {char(0xf0 | (u >> 18)), char(0x80 | ((u >> 12) & 0x3f)),
                                      char(0x80 | ((u >> 6) & 0x3f)), char(0x80 | (u & 0x3f))};
                m_out.append(bytes, 4);
            } else if (c >= 0x800 && !QChar::isSurrogate(c)) {
                const char bytes[] = {char(0xe0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3f)), char(0x80 | (c & 0x3f))};
                m_out.append(bytes, 3);
            } else {
                switch (c) {
                case '"': m_out.append("\\\""); break;
                case '\\': m_out.append("\\\\"); break;
                case '\n': m_out.append("\\n"); break;
                case '\r': m_out.append("\\r"); break;
                case '\t': m_out.append("\\t"); break;
                case '\b': m_out.append("\\b"); break;
                case '\f': m_out.append("\\f"); break;
                default: {
                    // Other control characters, and a lone surrogate, which
                    // has no UTF-8 form but survives as an escape.
                    const char escape[] = {'\\', 'u', hex[(c >> 12) & 0xf], hex[(c >> 8) & 0xf], hex[(c >> 4) & 0xf], hex[c & 0xf]};
                    m_out.append(escape, 6);
                }
                }
            }
        }
        m_out.append('"');
    }

    void number(double value)
    {
        // A non-finite number has no JSON form, and a null here would make
        // the whole file unreadable at the next start.
        if (!std::isfinite(value))
            value = 0;
        // The shortest text that reads back as the same double.
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        m_out.append(digits, end - digits);
    }

    void integer(qint64 value)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        m_out.append(digits, end - digits);
    }
    void boolean(bool value) { m_out.append(value ? "true" : "false"); }
    void raw(const char *text) { m_out.append(text); }
    void key(const char *name)
    {
        if (m_needsComma)
            m_out.append(',');
        m_out.append('"').append(name).append("\":");
        m_needsComma = true;
    }
    void open(char bracket)
    {
        m_out.append(bracket);
        m_needsComma = false;
    }
    void close(char bracket)
    {
        m_out.append(bracket);
        m_needsComma = true;
    }
    void element()
    {
        if (m_needsComma)
            m_out.append(',');
        m_needsComma = true;
    }
    void date(const QDateTime &when)
    {
        number(when.isValid() ? double(when.toMSecsSinceEpoch() - m_referenceMSecs) / 1000.0 : 0.0);
    }
    void strings(const QStringList &list)
    {
        open('[');
        for (const QString &s : list) {
            element();
            string(s);
        }
        close(']');
    }
    void gameType(const GameType &type)
    {
        open('{');
        key("variant");
        string(rawValue(type.variant));
        key("mode");
        string(rawValue(type.mode));
        close('}');
    }

    void player(const Player &p)
    {
        open('{');
        key("id");
        string(uuidText(p.id));
        key("name");
        string(p.name);
        if (p.playerId) {
            key("playerId");
            integer(*p.playerId);
        }
        if (p.stats) {
            key("stats");
            open('{');
            key("vpip");
            number(p.stats->vpip);
            key("pfr");
            number(p.stats->pfr);
            key("hands");
            integer(p.stats->hands);
            close('}');
        }
        if (p.colorIndicator) {
            key("colorIndicator");
            string(rawValue(*p.colorIndicator));
        }
        key("tags");
        open('[');
        for (const PlayerTag tag : p.tags) {
            element();
            string(rawValue(tag));
        }
        close(']');
        if (p.phraseTags) {
            key("phraseTags");
            strings(*p.phraseTags);
        }
        if (p.villainTypes) {
            key("villainTypes");
            strings(*p.villainTypes);
        }
        key("note");
        string(p.note);
        key("createdAt");
        date(p.createdAt);
        key("updatedAt");
        date(p.updatedAt);
        key("seatings");
        open('[');
        for (const Seating &s : p.seatings) {
            element();
            open('{');
            key("gameType");
            gameType(s.gameType);
            key("tableID");
            string(s.tableID);
            key("isActive");
            boolean(s.isActive);
            key("updatedAt");
            date(s.updatedAt);
            close('}');
        }
        close(']');
        if (p.isManuallyNamed) {
            key("isManuallyNamed");
            boolean(*p.isManuallyNamed);
        }
        if (p.supersededNames) {
            key("supersededNames");
            strings(*p.supersededNames);
        }
        close('}');
    }

private:
    QByteArray &m_out;
    bool m_needsComma = false;
    const qint64 m_referenceMSecs = referenceDate().toMSecsSinceEpoch();
};
} // namespace

void writeCompactPlayersFile(QByteArray &out, const QList<Player> &players, const std::function<bool(const Player &)> &keep)
{
    out.resize(0);
    out.reserve(players.size() * 512 + 2);
    Writer writer(out);
    writer.open('[');
    for (const Player &p : players) {
        if (keep && !keep(p))
            continue;
        writer.element();
        writer.player(p);
    }
    writer.close(']');
}

QByteArray compactPlayersFile(const QList<Player> &players, const std::function<bool(const Player &)> &keep)
{
    QByteArray out;
    writeCompactPlayersFile(out, players, keep);
    return out;
}

} // namespace PlayerJson
