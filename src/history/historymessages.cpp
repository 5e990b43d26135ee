// SPDX-License-Identifier: GPL-3.0-or-later
#include "historymessages.h"

using namespace Qt::StringLiterals;

namespace HistoryMessages {

namespace {

const QString Months[] = {
    u"gennaio"_s, u"febbraio"_s, u"marzo"_s,     u"aprile"_s,  u"maggio"_s,   u"giugno"_s,
    u"luglio"_s,  u"agosto"_s,   u"settembre"_s, u"ottobre"_s, u"novembre"_s, u"dicembre"_s,
};

// "dal 12 ottobre", but "dall'8 ottobre" and "dall'11 ottobre", as said.
QString from(const QDate &since, const QDate &today)
{
    const bool vowel = since.day() == 8 || since.day() == 11;
    return (vowel ? u"dall'"_s : u"dal "_s) + date(since, today);
}

QString pairs(const QList<PupilPair> &repeated, const QStringList &names)
{
    QStringList words;
    for (const PupilPair &pair : repeated)
        words.append(names.value(pair.first) + u" e "_s + names.value(pair.second));
    return words.join(u"; "_s);
}

} // namespace

QString date(const QDate &date, const QDate &today)
{
    QString text = date.day() == 1 ? u"1º"_s : QString::number(date.day());
    text += u' ' + Months[date.month() - 1];
    if (date.year() != today.year())
        text += u' ' + QString::number(date.year());
    return text;
}

QString reseated(const ReseatResult &result, int recordedPlans, const QStringList &names,
                 const QDate &today)
{
    QString text;
    if (recordedPlans == 0) {
        text = u"Non ci sono ancora disposizioni memorizzate: i banchi sono assegnati a caso."_s;
    } else if (result.reach == 0) {
        text = u"Non è possibile evitare tutti i compagni di banco dell'ultima disposizione: "
               "siedono di nuovo insieme "_s +
               pairs(result.repeated, names) + u'.';
    } else {
        const QString plans = result.reach == 1
                                  ? u"nell'ultima disposizione"_s
                                  : u"nelle ultime %1 disposizioni"_s.arg(result.reach);
        text = u"Nessuno siede con un compagno di banco già avuto "_s + plans + u" ("_s +
               from(result.since, today) + u")."_s;
    }
    if (result.outOfTime)
        text += u" La ricerca si è fermata prima di finire: forse si poteva risalire "
                "più indietro."_s;
    return text;
}

} // namespace HistoryMessages
