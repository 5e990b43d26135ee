// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowtexts.h"

using namespace Qt::StringLiterals;

namespace WindowTexts {

QString title()
{
    return u"Posti in classe[*]"_s;
}

QString pupilBox(int pupil)
{
    return u"Alunno %1"_s.arg(pupil);
}

QString classNameBox()
{
    return u"Nome della classe"_s;
}

QString classes()
{
    return u"Classi"_s;
}

QString desk(int desk)
{
    return u"Banco %1"_s.arg(desk);
}

QString print()
{
    return u"Stampa…"_s;
}

QString leaveFreeTip()
{
    return u"Segna «-> Non assegnare <-» sui banchi vuoti che avanzano, dall'ultima fila"_s;
}

QString openFolder()
{
    return u"Apri la cartella del file dei posti"_s;
}

QString undoTyping()
{
    return u"&Annulla"_s;
}

QString redoTyping()
{
    return u"&Ripeti"_s;
}

QString cut()
{
    return u"&Taglia"_s;
}

QString copy()
{
    return u"&Copia"_s;
}

QString paste()
{
    return u"&Incolla"_s;
}

QString erase()
{
    return u"&Elimina"_s;
}

QString selectAll()
{
    return u"&Seleziona tutto"_s;
}

QString listIntoClassName()
{
    return u"Nel nome della classe si incolla una riga sola; un elenco di nomi "
           u"va incollato nelle caselle degli alunni."_s;
}

QString nothingPasted(int line, const QString &refused)
{
    return u"Nessun nome incollato. Carattere non ammesso alla riga %1: %2."_s.arg(line).arg(
        refused);
}

QString pasted(int names, int dropped)
{
    QString hint = names == 1
                       ? u"Incollato 1 nome in questa casella."_s
                       : u"Incollati %1 nomi, uno per casella a partire da questa."_s.arg(names);
    if (dropped == 1)
        hint += u" L'ultima riga non entra nelle caselle ed è stata scartata."_s;
    else if (dropped > 1)
        hint +=
            u" Le ultime %1 righe non entrano nelle caselle e sono state scartate."_s.arg(dropped);
    return hint + (names == 1 ? u" Per conservarlo premere «Memorizza»."_s
                              : u" Per conservarli premere «Memorizza»."_s);
}

QString refusedCharacter(const QString &refused)
{
    return u"Carattere non ammesso in un nome: %1."_s.arg(refused);
}

QString refusedCharacters()
{
    return u"Carattere non ammesso in un nome: non vi possono stare virgole, virgolette, "
           u"caratteri di controllo né caratteri che il file dei posti non può contenere."_s;
}

QString comma()
{
    return u"la virgola"_s;
}

QString quotes()
{
    return u"le virgolette (\")"_s;
}

QString tab()
{
    return u"la tabulazione"_s;
}

QString lineBreak()
{
    return u"l'a capo"_s;
}

QString controlCharacter(const QString &codePoint)
{
    return u"un carattere di controllo (%1)"_s.arg(codePoint);
}

QString notInFile(const QString &character)
{
    return u"«%1», che il file dei posti non può contenere"_s.arg(character);
}

} // namespace WindowTexts
