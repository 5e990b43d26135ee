// SPDX-License-Identifier: GPL-3.0-or-later
#include "namecase.h"

#include "cp1252.h"

#include <QStringView>

using namespace Qt::StringLiterals;

namespace NameCase {
namespace {

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'\u2019' || c == u'`' || c == u'\u00B4';
}

bool isOneCase(const QString &text)
{
    bool upper = false;
    bool lower = false;
    for (QChar c : text) {
        upper = upper || c.isUpper();
        lower = lower || c.isLower();
    }
    return upper != lower;
}

// The grave accent Italian puts on a final vowel ("Niccolò", "Mosè").
QChar accented(QChar vowel)
{
    static const QString plain = u"aeiou"_s;
    static const QString grave = u"àèìòù"_s;
    const qsizetype at = plain.indexOf(vowel.toLower());
    return at < 0 ? QChar() : grave.at(at);
}

bool endsWord(const QString &text, qsizetype at)
{
    return at == text.size() || !text.at(at).isLetter();
}

// "NICCOLO'" → "NICCOLò": only after a letter that follows another letter,
// so that "D'" before a word stays an apostrophe.
QString accentFinalVowels(const QString &text)
{
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isApostrophe(c) && i >= 2 && text.at(i - 2).isLetter() && endsWord(text, i + 1)) {
            const QChar vowel = accented(text.at(i - 1));
            if (!vowel.isNull()) {
                result.back() = vowel;
                continue;
            }
        }
        result += c;
    }
    return result;
}

} // namespace

QString asName(const QString &text)
{
    if (!isOneCase(text))
        return text;
    QString result = accentFinalVowels(text);
    bool wordStart = true;
    for (QChar &c : result) {
        if (c.isLetter()) {
            // µ has its capital in Greek only: a letter stays as it is
            // rather than leave the code page.
            const QChar cased = wordStart ? c.toUpper() : c.toLower();
            if (Cp1252::canEncode(cased) || !Cp1252::canEncode(c))
                c = cased;
            wordStart = false;
        } else {
            wordStart = true; // after a space, a hyphen, an apostrophe
        }
    }
    return result;
}

} // namespace NameCase
