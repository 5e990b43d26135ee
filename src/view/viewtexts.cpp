// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewtexts.h"

using namespace Qt::StringLiterals;

QString SeatList::markerText()
{
    return u"-> Non assegnare <-"_s;
}

QString MessageTitle::error()
{
    return u"Errore!"_s;
}

QString MessageTitle::warning()
{
    return u"Attenzione!"_s;
}

QString AnswerText::ok()
{
    return u"OK"_s;
}

QString AnswerText::yes()
{
    return u"Sì"_s;
}

QString AnswerText::no()
{
    return u"No"_s;
}

QString AnswerText::cancel()
{
    return u"Annulla"_s;
}

QString ViewTexts::freeDesk()
{
    return u"vuoto"_s;
}

QString ViewTexts::unusedDesk()
{
    return u"non usato"_s;
}

QString ViewTexts::unnamedClass(int tab)
{
    return u"Classe %1"_s.arg(tab);
}
