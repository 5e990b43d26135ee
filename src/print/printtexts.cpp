// SPDX-License-Identifier: GPL-3.0-or-later
#include "printtexts.h"

using namespace Qt::StringLiterals;

namespace PrintTexts {

QString previewTitle(const QString &classTitle)
{
    return u"Stampa la pianta: %1"_s.arg(classTitle);
}

QString pupilsViewChoice()
{
    return u"Vista dai banchi (come sullo schermo)"_s;
}

QString teacherViewChoice()
{
    return u"Vista dalla cattedra"_s;
}

QString orientationTip()
{
    return u"Dai banchi: il banco 1 in alto a sinistra, la cattedra in alto.\n"
           u"Dalla cattedra: la classe girata come la vede l'insegnante, la cattedra in basso."_s;
}

QString pupilsViewCaption()
{
    return u"Vista dai banchi, come sullo schermo"_s;
}

QString teacherViewCaption()
{
    return u"Vista dalla cattedra"_s;
}

QString printedOn(const QString &date)
{
    return u"Stampata il %1"_s.arg(date);
}

QString teacherDesk()
{
    return u"Cattedra"_s;
}

QString unseated(const QStringList &names)
{
    return u"Senza banco: %1."_s.arg(names.join(u", "_s));
}

QString savePdf()
{
    return u"Salva PDF…"_s;
}

QString savePdfTip()
{
    return u"Salva la pianta in un file PDF, chiedendo dove"_s;
}

QString savePdfTitle()
{
    return u"Salva la pianta come PDF"_s;
}

QString pdfFilter()
{
    return u"Documenti PDF (*.pdf)"_s;
}

QString pdfNotSaved(const QString &path)
{
    return u"Non è stato possibile scrivere il PDF:\n%1"_s.arg(path);
}

QString viewLabel()
{
    return u"Vista:"_s;
}

QString documentName(const QString &classTitle)
{
    return u"Pianta dei posti - %1"_s.arg(classTitle);
}

} // namespace PrintTexts
