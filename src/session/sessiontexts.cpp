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

QString unstoredRestored()
{
    return u"modifiche non memorizzate riprese"_s;
}

QString unstoredQuestion(const QString &classTitle)
{
    return u"La classe «%1» ha modifiche non memorizzate. Memorizzarle?"_s.arg(classTitle);
}

} // namespace SessionTexts
