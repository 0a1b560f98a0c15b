#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <string>

// The keys under which names are compared when an observation is matched to
// a stored record, and the helpers they need. A "character" is a
// user-perceived character (grapheme cluster), so a composed emoji or a
// letter with a combining accent counts once.
namespace NameKeys {

// Full Unicode lower-casing.
QString lowercased(const QString &name);
// The lower-cased name without any white space.
QString compact(const QString &name);
// The compact name with confusable characters folded: 0/o -> o, 1/l/i -> l,
// 8/b -> b.
QString matchKey(const QString &name);
// matchKey(name) with runs of equal characters collapsed to one.
QString squeezedKey(const QString &name);
// The same, starting from a match key that is already computed.
QString squeezeRuns(const QString &key);

// The user-perceived characters of a text, in order.
QStringList characters(const QString &text);
// How many user-perceived characters a text has.
int characterCount(const QString &text);
// Levenshtein distance counted in user-perceived characters.
int editDistance(const QString &a, const QString &b);

// The text with its diacritics removed (decomposed, combining marks dropped).
QString withoutDiacritics(const QString &text);

// Orders two texts by Unicode code points (not by UTF-16 code units).
int compareCodePoints(QStringView a, QStringView b);

// Numbers in log lines: the shortest text that reads back to the same value,
// with ".0" added to whole numbers (1.0, 0.93). A float is written as a float,
// so 0.05f reads "0.05".
QString formatNumber(double value);
QString formatNumber(float value);

} // namespace NameKeys
