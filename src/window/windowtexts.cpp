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

QString deskWithNote(const QString &occupant, const QString &note)
{
    return occupant + u", "_s + note;
}

// As Qt's undo group names its actions: the word alone when there is no step.
QString undo(const QString &step)
{
    return step.isEmpty() ? u"Annulla"_s : u"Annulla "_s + step;
}

QString redo(const QString &step)
{
    return step.isEmpty() ? u"Ripeti"_s : u"Ripeti "_s + step;
}

QString print()
{
    return u"Stampa…"_s;
}

QString openFolder()
{
    return u"Apri la cartella del file dei posti"_s;
}

QString rulesAction()
{
    return u"Regole della classe…"_s;
}

QString rulesActionTip()
{
    return u"Chi deve stare separato, vicino, davanti o a un banco fisso"_s;
}

QString rulesTitle(const QString &classTitle)
{
    return u"Regole della classe %1"_s.arg(classTitle);
}

QString rulesList()
{
    return u"&Regole della classe:"_s;
}

QString ruleState(const QString &sentence, bool kept)
{
    return sentence + (kept ? u" (ora rispettata)"_s : u" (ora NON rispettata)"_s);
}

QString removeRule()
{
    return u"&Togli la regola"_s;
}

QString newRule()
{
    return u"Nuova regola"_s;
}

QString ruleKind()
{
    return u"T&ipo:"_s;
}

QString ruleKinds(int kind)
{
    static const QString kinds[] = {u"Separati"_s, u"Compagni di banco"_s, u"Davanti"_s,
                                    u"Banco fisso"_s};
    return kinds[kind];
}

QString rulePupil()
{
    return u"&Alunno:"_s;
}

QString ruleOtherPupil()
{
    return u"&Secondo alunno:"_s;
}

QString ruleRows()
{
    return u"Nelle prime &file:"_s;
}

QString ruleDesk()
{
    return u"&Banco:"_s;
}

QString addRule()
{
    return u"A&ggiungi la regola"_s;
}

QString closeRules()
{
    return u"&Chiudi"_s;
}

QString pupilChoice(const QString &name, int slot)
{
    return u"%1 (n. %2)"_s.arg(name).arg(slot);
}

QString noStoredNames(const QString &storeCaption)
{
    return u"Questa classe non ha ancora nomi memorizzati: scrivere i nomi e premere «%1»."_s.arg(
        storeCaption);
}

QString samePupilTwice()
{
    return u"Scegliere due alunni diversi."_s;
}

QString ruleThereAlready()
{
    return u"Questa regola c'è già."_s;
}

QString withoutMnemonic(const QString &caption)
{
    QString text = caption;
    text.remove(u'&');
    if (text.endsWith(u':'))
        text.chop(1);
    return text;
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
