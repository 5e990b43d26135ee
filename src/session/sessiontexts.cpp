// SPDX-License-Identifier: GPL-3.0-or-later
#include "sessiontexts.h"

using namespace Qt::StringLiterals;

namespace SessionTexts {

QString storeCaption()
{
    return u"Memorizza"_s;
}

QString fillCaption()
{
    return u"Assegna mancanti"_s;
}

QString clearCaption()
{
    return u"Svuota"_s;
}

QString deleteNamesCaption()
{
    return u"Cancella nomi"_s;
}

QString leaveFreeCaption()
{
    return u"Segna i banchi da lasciare liberi"_s;
}

QString buttonStep(const QString &caption)
{
    return u"«%1»"_s.arg(caption);
}

QString classNameEdit()
{
    return u"modifica del nome della classe"_s;
}

QString pupilNameEdit(int pupil)
{
    return u"modifica del nome dell'alunno %1"_s.arg(pupil);
}

QString namesPasted()
{
    return u"elenco di nomi incollato"_s;
}

QString deskPick(int desk)
{
    return u"scelta per il banco %1"_s.arg(desk);
}

QString swapBetween(int desk, int other)
{
    return u"scambio tra i banchi %1 e %2"_s.arg(desk).arg(other);
}

QString swapFrom(int desk)
{
    return u"scambio dal banco %1"_s.arg(desk);
}

QString unstoredQuestion(const QString &classTitle)
{
    return u"La classe «%1» ha modifiche non memorizzate. Memorizzarle?"_s.arg(classTitle);
}

QString storeNamesQuestion()
{
    return u"I nomi sullo schermo non sono ancora memorizzati. "
           u"Memorizzarli prima di assegnare i banchi?"_s;
}

// As Qt's undo group names its actions: the word alone when there is no step.
QString undoEntry(const QString &step)
{
    return step.isEmpty() ? u"Annulla"_s : u"Annulla "_s + step;
}

QString redoEntry(const QString &step)
{
    return step.isEmpty() ? u"Ripeti"_s : u"Ripeti "_s + step;
}

QString discardedStep()
{
    return u"Ripristina le modifiche scartate"_s;
}

QString redoDiscard()
{
    return u"Scarta di nuovo le modifiche"_s;
}

} // namespace SessionTexts
