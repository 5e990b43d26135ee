// SPDX-License-Identifier: GPL-3.0-or-later
#include "letterfold.h"

#include "seatingfile.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace LetterFold {
namespace {

// Letters that Unicode does not decompose into a base letter and a mark.
const QHash<char32_t, QString> &plainLetters()
{
    static const QHash<char32_t, QString> table = {
        {U'Ł', u"L"_s}, {U'ł', u"l"_s}, {U'Đ', u"D"_s},      {U'đ', u"d"_s}, {U'Ħ', u"H"_s},
        {U'ħ', u"h"_s}, {U'ı', u"i"_s}, {U'Ŧ', u"T"_s},      {U'ŧ', u"t"_s}, {U'Ŋ', u"N"_s},
        {U'ŋ', u"n"_s}, {U'Ə', u"E"_s}, {U'ə', u"e"_s},      {U'Ɛ', u"E"_s}, {U'ɛ', u"e"_s},
        {U'ĸ', u"k"_s}, {U'Ŀ', u"L"_s}, {U'ŀ', u"l"_s},      {U'ʼ', u"'"_s}, {U'ʻ', u"'"_s},
        {U'ʹ', u"'"_s}, {U'′', u"'"_s}, {U'‐', u"-"_s},      {U'‑', u"-"_s}, {U'‒', u"-"_s},
        {U'"', u" "_s}, {U',', u" "_s}, {U'\u201e', u" "_s},
    };
    return table;
}

// Cyrillic and Greek, small letters; a capital takes the same letters with
// the first one capital. Ukrainian follows its official passport spelling
// (KMU 2010), the other Cyrillic alphabets the usual Latin one.
const QHash<char32_t, const char *> &latinSpelling()
{
    static const QHash<char32_t, const char *> table = {
        {U'а', "a"},  {U'б', "b"},  {U'в', "v"},    {U'г', "g"},  {U'д', "d"},  {U'е', "e"},
        {U'ё', "e"},  {U'ж', "zh"}, {U'з', "z"},    {U'и', "i"},  {U'й', "y"},  {U'к', "k"},
        {U'л', "l"},  {U'м', "m"},  {U'н', "n"},    {U'о', "o"},  {U'п', "p"},  {U'р', "r"},
        {U'с', "s"},  {U'т', "t"},  {U'у', "u"},    {U'ф', "f"},  {U'х', "kh"}, {U'ц', "ts"},
        {U'ч', "ch"}, {U'ш', "sh"}, {U'щ', "shch"}, {U'ъ', ""},   {U'ы', "y"},  {U'ь', ""},
        {U'э', "e"},  {U'ю', "yu"}, {U'я', "ya"},   {U'ђ', "dj"}, {U'ј', "j"},  {U'љ', "lj"},
        {U'њ', "nj"}, {U'ћ', "c"},  {U'џ', "dz"},   {U'ѓ', "gj"}, {U'ќ', "kj"}, {U'ѕ', "dz"},
        {U'ў', "u"},  {U'α', "a"},  {U'β', "v"},    {U'γ', "g"},  {U'δ', "d"},  {U'ε', "e"},
        {U'ζ', "z"},  {U'η', "i"},  {U'θ', "th"},   {U'ι', "i"},  {U'κ', "k"},  {U'λ', "l"},
        {U'μ', "m"},  {U'ν', "n"},  {U'ξ', "x"},    {U'ο', "o"},  {U'π', "p"},  {U'ρ', "r"},
        {U'σ', "s"},  {U'ς', "s"},  {U'τ', "t"},    {U'υ', "y"},  {U'φ', "f"},  {U'χ', "ch"},
        {U'ψ', "ps"}, {U'ω', "o"},
    };
    return table;
}

// Ukrainian letters whose spelling depends on their place in the word.
struct UkrainianLetter
{
    char32_t letter;
    const char *first; // at the start of a word
    const char *other;
};
constexpr UkrainianLetter Ukrainian[] = {
    {U'г', "h", "h"},   {U'ґ', "g", "g"},   {U'и', "y", "y"},       {U'і', "i", "i"},
    {U'ї', "yi", "i"},  {U'є', "ye", "ie"}, {U'й', "y", "i"},       {U'ю', "yu", "iu"},
    {U'я', "ya", "ia"}, {U'х', "kh", "kh"}, {U'щ', "shch", "shch"},
};

bool isUkrainian(QStringView name)
{
    for (QChar c : name) {
        const char16_t lower = c.toLower().unicode();
        if (lower == u'і' || lower == u'ї' || lower == u'є' || lower == u'ґ')
            return true;
    }
    return false;
}

bool isNameCharacter(char32_t c)
{
    return c < 0x10000 && SeatingFile::isNameCharacter(QChar(char16_t(c)));
}

QString fromCodePoint(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

struct Context
{
    char32_t previous = 0;
    bool ukrainian = false;
    bool wordStart = true;
    bool nextIsCapital = false;
};

std::optional<QString> latin(char32_t c, const Context &context)
{
    const char32_t lower = QChar::toLower(c);
    const char32_t before = QChar::toLower(context.previous);
    const char *spelt = nullptr;
    // Greek αυ, ευ, ηυ read av, ev, iv; ου reads u.
    if (lower == U'υ' && (before == U'α' || before == U'ε' || before == U'η'))
        spelt = "v";
    else if (lower == U'υ' && before == U'ο')
        spelt = "u";
    if (!spelt && context.ukrainian) {
        for (const UkrainianLetter &letter : Ukrainian) {
            if (letter.letter == lower)
                spelt = context.wordStart ? letter.first : letter.other;
        }
    }
    if (!spelt) {
        const auto found = latinSpelling().constFind(lower);
        if (found == latinSpelling().constEnd())
            return std::nullopt;
        spelt = *found;
    }
    QString text = QString::fromLatin1(spelt);
    if (lower != c && !text.isEmpty()) {
        // ЖУК is ZHUK, Жук is Zhuk.
        text = context.nextIsCapital ? text.toUpper() : text.left(1).toUpper() + text.mid(1);
    }
    return text;
}

// The fold of one code point that is not a name character, if it has one.
std::optional<QString> foldOne(char32_t c, const Context &context)
{
    if (QChar::isSpace(c) || QChar::category(c) == QChar::Other_Control)
        return u" "_s;
    if (const auto plain = plainLetters().constFind(c); plain != plainLetters().constEnd())
        return *plain;
    if (auto spelt = latin(c, context))
        return spelt;
    // A base letter and its marks: keep as many marks as Windows-1252 allows.
    const QString parts = fromCodePoint(c).normalized(QString::NormalizationForm_D);
    if (parts.size() > 1 && !parts.at(0).isMark()) {
        const QString withFirstMark = parts.left(2).normalized(QString::NormalizationForm_C);
        if (withFirstMark.size() == 1 && isNameCharacter(withFirstMark.at(0).unicode()))
            return withFirstMark;
        if (isNameCharacter(parts.at(0).unicode()))
            return parts.left(1);
        if (auto spelt = latin(parts.at(0).unicode(), context))
            return spelt;
    }
    // Ligatures, wide letters and the like.
    const QString compatible = fromCodePoint(c).normalized(QString::NormalizationForm_KD);
    if (compatible != fromCodePoint(c)) {
        QString text;
        for (QChar part : compatible) {
            if (part.isMark())
                continue;
            if (!isNameCharacter(part.unicode()))
                return std::nullopt;
            text += part;
        }
        if (!text.isEmpty())
            return text;
    }
    return std::nullopt;
}

bool isWordLetter(char32_t c)
{
    return QChar::isLetter(c);
}

} // namespace

Result fold(QStringView name)
{
    Result result;
    const QString composed = name.toString().normalized(QString::NormalizationForm_C);
    const QList<uint> points = composed.toUcs4();
    Context context;
    context.ukrainian = isUkrainian(composed);
    QString text;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const char32_t c = points.at(i);
        context.nextIsCapital = i + 1 < points.size() && QChar::isUpper(points.at(i + 1));
        if (isNameCharacter(c)) {
            text += QChar(char16_t(c));
        } else if (const auto folded = foldOne(c, context)) {
            // Odd spaces become plain ones unremarked: they show no different.
            result.folded = result.folded || !QChar::isSpace(c);
            text += *folded;
        } else if (QChar::isLetterOrNumber(c) || QChar::isMark(c)) {
            if (!result.lost.contains(fromCodePoint(c)))
                result.lost += fromCodePoint(c);
        } else {
            result.folded = true; // a sign no name needs: left out
        }
        context.wordStart = !isWordLetter(c);
        // Without its accent, so that ά before υ still reads "av". What has
        // no form at all (a lone surrogate, a code point past Unicode) is kept.
        const QString decomposed = fromCodePoint(c).normalized(QString::NormalizationForm_D);
        context.previous = c < 0x80 || decomposed.isEmpty() ? c : decomposed.at(0).unicode();
    }
    result.text = text.simplified();
    return result;
}

std::optional<QString> foldCharacter(char32_t c)
{
    if (isNameCharacter(c))
        return fromCodePoint(c);
    Context context;
    context.ukrainian = QChar::toLower(c) == U'ґ' || QChar::toLower(c) == U'є' ||
                        QChar::toLower(c) == U'ї' || QChar::toLower(c) == U'і';
    const auto folded = foldOne(c, context);
    if (!folded || folded->trimmed().isEmpty())
        return std::nullopt;
    return folded;
}

} // namespace LetterFold
