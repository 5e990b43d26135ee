// SPDX-License-Identifier: GPL-3.0-or-later
#include "namepattern.h"

#include <QDir>

namespace NamePattern {
namespace {

bool sameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// How many UTF-16 units the character at index of name takes: a '?' stands for
// a whole character, even one outside the Basic Multilingual Plane.
qsizetype characterLength(QStringView name, qsizetype index)
{
    return name[index].isHighSurrogate() && index + 1 < name.size() &&
                   name[index + 1].isLowSurrogate()
               ? 2
               : 1;
}

} // namespace

bool matches(QStringView pattern, QStringView name)
{
    qsizetype p = 0, n = 0;
    // Where the last '*' was, and where in name what it covers would end:
    // a mismatch after it lets the '*' cover one character more.
    qsizetype starAt = -1, starEnd = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            starEnd = n;
        } else if (p < pattern.size() && pattern[p] == u'?') {
            ++p;
            n += characterLength(name, n);
        } else if (p < pattern.size() && sameLetter(pattern[p], name[n])) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            starEnd += characterLength(name, starEnd);
            n = starEnd;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

QStringList files(const QDir &folder, QStringView pattern)
{
    QStringList names = folder.entryList(QDir::Files | QDir::Hidden);
    names.removeIf([pattern](const QString &name) { return !matches(pattern, name); });
    return names;
}

} // namespace NamePattern
