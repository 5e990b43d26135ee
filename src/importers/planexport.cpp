// SPDX-License-Identifier: GPL-3.0-or-later
#include "planexport.h"

using namespace Qt::StringLiterals;

namespace PlanCsv {
namespace {

constexpr QChar Separator = u';';

QString field(QString text)
{
    // "=1+1" or "@cmd" would run in the spreadsheet; "'=1+1" shows as written.
    static const QString formulaStarts = u"=+-@\t\r"_s;
    if (!text.isEmpty() && formulaStarts.contains(text.front()))
        text.prepend(u'\'');
    if (text.contains(Separator) || text.contains(u'"') || text.contains(u'\r') ||
        text.contains(u'\n')) {
        text.replace(u"\""_s, u"\"\""_s);
        text = u'"' + text + u'"';
    }
    return text;
}

void addLine(QString &csv, const QStringList &fields)
{
    QStringList quoted;
    for (const QString &text : fields)
        quoted.append(field(text));
    csv += quoted.join(Separator) + u"\r\n"_s;
}

} // namespace

QByteArray write(const PlanExport &plan)
{
    QString csv;
    addLine(csv, {u"Banco"_s, u"Fila"_s, u"Alunno"_s, u"Classe"_s});
    for (const PlanExport::Desk &desk : plan.desks) {
        addLine(csv, {QString::number(desk.number), QString::number(desk.row),
                      desk.unused ? u"non usato"_s : desk.pupil, plan.className});
    }
    for (const QString &pupil : plan.unseated)
        addLine(csv, {QString(), QString(), pupil, plan.className});
    return "\xEF\xBB\xBF" + csv.toUtf8();
}

} // namespace PlanCsv
