#include "NameKeys.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <charconv>
#include <vector>

namespace NameKeys {
namespace {
// Walks a text by code point (a surrogate pair is one code point).
class CodePoints {
public:
    explicit CodePoints(QStringView text) : m_text(text) {}
    bool hasNext() const { return m_index < m_text.size(); }
    qsizetype index() const { return m_index; }
    char32_t next()
    {
        const QChar c = m_text.at(m_index++);
        if (c.isHighSurrogate() && m_index < m_text.size() && m_text.at(m_index).isLowSurrogate())
            return QChar::surrogateToUcs4(c, m_text.at(m_index++));
        return c.unicode();
    }

private:
    QStringView m_text;
    qsizetype m_index = 0;
};

// Texts made only of printable ASCII split into one character per code unit,
// which spares the boundary finder on the common path.
bool isPlainAscii(QStringView text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    return true;
}

template<typename Number>
QString shortest(Number value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".en") == std::string::npos) // not 1e-05, inf, nan
        text += ".0";
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}
} // namespace

QString lowercased(const QString &name) { return name.toLower(); }

QString compact(const QString &name)
{
    QString lower = name.toLower();
    QString out;
    out.reserve(lower.size());
    CodePoints it(lower);
    while (it.hasNext()) {
        const qsizetype start = it.index();
        const char32_t cp = it.next();
        if (!QChar::isSpace(cp))
            out.append(QStringView(lower).mid(start, it.index() - start));
    }
    return out;
}

QString matchKey(const QString &name)
{
    QString key = compact(name);
    for (QChar &c : key) {
        switch (c.unicode()) {
        case u'0':
            c = u'o';
            break;
        case u'1':
        case u'i':
            c = u'l';
            break;
        case u'8':
            c = u'b';
            break;
        default:
            break;
        }
    }
    return key;
}

QString squeezeRuns(const QString &key)
{
    QString out;
    out.reserve(key.size());
    if (isPlainAscii(key)) {
        for (const QChar c : key)
            if (out.isEmpty() || out.back() != c)
                out.append(c);
        return out;
    }
    QString previous;
    for (const QString &character : characters(key)) {
        if (character != previous)
            out.append(character);
        previous = character;
    }
    return out;
}

QString squeezedKey(const QString &name) { return squeezeRuns(matchKey(name)); }

QStringList characters(const QString &text)
{
    QStringList out;
    if (isPlainAscii(text)) {
        out.reserve(text.size());
        for (const QChar c : text)
            out.append(QString(c));
        return out;
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        out.append(text.mid(start, end - start));
        start = end;
    }
    return out;
}

int characterCount(const QString &text)
{
    if (isPlainAscii(text))
        return int(text.size());
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

int editDistance(const QString &a, const QString &b)
{
    const QStringList x = characters(a);
    const QStringList y = characters(b);
    if (x.isEmpty())
        return int(y.size());
    if (y.isEmpty())
        return int(x.size());
    std::vector<int> row(size_t(y.size()) + 1);
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= x.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= y.size(); ++j) {
            const int above = row[size_t(j)];
            const int cost = x.at(i - 1) == y.at(j - 1) ? 0 : 1;
            row[size_t(j)] = std::min({above + 1, row[size_t(j - 1)] + 1, diagonal + cost});
            diagonal = above;
        }
    }
    return row.back();
}

QString withoutDiacritics(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    CodePoints it(decomposed);
    while (it.hasNext()) {
        const qsizetype start = it.index();
        const char32_t cp = it.next();
        if (QChar::category(cp) != QChar::Mark_NonSpacing)
            out.append(QStringView(decomposed).mid(start, it.index() - start));
    }
    return out.normalized(QString::NormalizationForm_C);
}

int compareCodePoints(QStringView a, QStringView b)
{
    CodePoints x(a);
    CodePoints y(b);
    while (x.hasNext() && y.hasNext()) {
        const char32_t p = x.next();
        const char32_t q = y.next();
        if (p != q)
            return p < q ? -1 : 1;
    }
    if (x.hasNext())
        return 1;
    if (y.hasNext())
        return -1;
    return 0;
}

QString formatNumber(double value) { return shortest(value); }
QString formatNumber(float value) { return shortest(value); }

} // namespace NameKeys
