// SPDX-License-Identifier: GPL-3.0-or-later
#include "shortname.h"

#include "seatingview.h"

#include <QFontMetrics>
#include <QList>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString Ellipsis = u"…"_s;

using Fits = std::function<bool(const QString &)>;

// Words that open a surname and belong to it: "De Luca", "Dal Molin", "Van Basten".
bool isParticle(QStringView word)
{
    static const QStringList particles{
        u"de"_s,    u"di"_s,  u"da"_s,    u"del"_s, u"della"_s, u"delle"_s, u"dei"_s,
        u"degli"_s, u"dal"_s, u"dalla"_s, u"dai"_s, u"lo"_s,    u"la"_s,    u"li"_s,
        u"van"_s,   u"von"_s, u"der"_s,   u"mc"_s,  u"mac"_s,   u"san"_s,   u"santa"_s};
    return particles.contains(word.toString(), Qt::CaseInsensitive);
}

// Where the surname ends: after the first word, and the particles before it.
qsizetype surnameEnd(const QString &name)
{
    qsizetype start = 0;
    while (true) {
        while (start < name.size() && name.at(start).isSpace())
            ++start;
        qsizetype end = name.indexOf(u' ', start);
        if (end < 0)
            return name.size();
        if (!isParticle(QStringView(name).mid(start, end - start)))
            return end;
        start = end;
    }
}

// How much of name must show for it to differ from each other name: up to and
// including its first letter that differs. Names equal to it cannot differ.
qsizetype telling(const QString &name, const QStringList &others)
{
    qsizetype length = 0;
    for (const QString &other : others) {
        if (other == name)
            continue;
        const auto mismatch =
            std::mismatch(name.cbegin(), name.cend(), other.cbegin(), other.cend());
        length = std::max(length, qsizetype(mismatch.first - name.cbegin()) + 1);
    }
    return std::min(length, name.size());
}

// The places between the letters of text as a reader sees them, last first.
QList<qsizetype> letterEnds(const QString &text)
{
    QList<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary())
        ends.prepend(end);
    return ends;
}

QString cutAt(const QString &text, qsizetype end)
{
    QString kept = text.left(end);
    while (!kept.isEmpty() && kept.back().isSpace())
        kept.chop(1);
    return kept + Ellipsis;
}

// prefix + the longest start of text, at least minimum long, cut and marked
// "…", that fits; text whole is the caller's to try, and is measured once.
std::optional<QString> longestCut(const QString &prefix, const QString &text, qsizetype minimum,
                                  const Fits &fits)
{
    for (qsizetype end : letterEnds(text)) {
        if (end < minimum)
            break;
        if (end == text.size())
            continue;
        const QString shown = prefix + cutAt(text, end);
        if (fits(shown))
            return shown;
    }
    return std::nullopt;
}

QString fittedMarker(const Fits &fits, const QFontMetrics &metrics, int width)
{
    const QStringList forms{u"→ Non assegnare ←"_s, u"Non assegnare"_s, u"Non usare"_s};
    for (const QString &form : forms) {
        if (fits(form))
            return form;
    }
    return metrics.elidedText(forms.last(), Qt::ElideRight, width);
}

} // namespace

QString ShortName::fitted(const QString &text, const std::function<QStringList()> &others,
                          const QFontMetrics &metrics, int width)
{
    const Fits fits = [&](const QString &shown) {
        return metrics.horizontalAdvance(shown) <= width;
    };
    if (fits(text))
        return text;
    if (text == SeatList::markerText())
        return fittedMarker(fits, metrics, width);

    const qsizetype surname = surnameEnd(text);
    const qsizetype keep = telling(text, others());
    if (auto shown = longestCut({}, text, std::max(surname, keep), fits))
        return *shown;

    // The difference lies in a later given name: the surname, then that name.
    qsizetype firstGiven = surname;
    while (firstGiven < text.size() && text.at(firstGiven).isSpace())
        ++firstGiven;
    const qsizetype word = keep > firstGiven ? text.lastIndexOf(u' ', keep - 1) + 1 : 0;
    if (word > firstGiven) {
        const QString surnameCut = text.left(surname) + u" "_s + Ellipsis;
        const QString tellingName = text.mid(word);
        if (fits(surnameCut + tellingName))
            return surnameCut + tellingName;
        if (auto shown = longestCut(surnameCut, tellingName, keep - word, fits))
            return *shown;
    }

    if (auto shown = longestCut({}, text, surname, fits))
        return *shown;
    if (auto shown = longestCut({}, text, 1, fits))
        return *shown;
    return Ellipsis;
}
