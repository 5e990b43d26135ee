// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowtexts.h"

using namespace Qt::StringLiterals;

namespace WindowTexts {

QString title()
{
    return u"Posti in classe[*]"_s;
}

QString readOnlyTitle()
{
    return title() + u" — sola lettura"_s;
}

QString readOnlyBar(const QString &reason)
{
    return u"Sola lettura, nulla verrà salvato: %1. File:"_s.arg(reason);
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

QString print()
{
    return u"Stampa…"_s;
}

QString leaveFreeTip()
{
    return u"Segna «-> Non assegnare <-» sui banchi vuoti che avanzano, dall'ultima fila"_s;
}

QString reseatTip()
{
    return u"Cambia i posti: ognuno accanto a un compagno con cui non è ancora stato, "
           "secondo le disposizioni memorizzate e le regole della classe"_s;
}

QString openFolder()
{
    return u"Apri la cartella del file dei posti"_s;
}

QString menu()
{
    return u"Menu"_s;
}

QString menuTip()
{
    return u"Stampa, annulla, guida e le altre voci (F10, o clic destro sull'aula)"_s;
}

QString printTip()
{
    return u"Anteprima e stampa della classe com'è sullo schermo, o un PDF"_s;
}

QString openFolderTip(const QString &folder, bool fileWritten)
{
    return fileWritten
               ? u"Apre la cartella del file dei posti: %1"_s.arg(folder)
               : u"Apre la cartella dove il file dei posti sarà scritto alla chiusura: %1"_s.arg(
                     folder);
}

QString folderNotOpened(const QString &folder)
{
    return u"Non è stato possibile aprire la cartella del file dei posti. "
           u"La si trova con un gestore di file in:\n%1"_s.arg(folder);
}

QString storeTip()
{
    return u"Memorizza la classe sullo schermo (Ctrl+S)"_s;
}

QString help()
{
    return u"Guida"_s;
}

QString helpTip()
{
    return u"Che cosa fa ogni pulsante, i tasti e dove sta il file (F1)"_s;
}

QString helpTitle()
{
    return u"Guida di Posti in classe"_s;
}

QString about()
{
    return u"Informazioni su Posti"_s;
}

QString aboutTip()
{
    return u"Versione, licenza e posizione del file dei posti"_s;
}

QString aboutText(const QString &filePath)
{
    return u"Posti in classe, versione %1\n\n"
           u"Software libero, distribuito secondo la GNU General Public License, "
           u"versione 3 o successiva (GPL-3.0-or-later), senza alcuna garanzia.\n\n"
           u"File dei posti:\n%2"_s.arg(QStringLiteral(POSTI_VERSION), filePath);
}

QString quit()
{
    return u"Chiudi"_s;
}

QString quitTip()
{
    return u"Chiude la finestra, chiedendo prima delle modifiche non memorizzate (Ctrl+Q)"_s;
}

QString clearTip()
{
    return u"Libera tutti i banchi, tranne quelli segnati da non usare"_s;
}

QString fillTip()
{
    return u"Mette a caso gli alunni senza banco nei banchi liberi"_s;
}

QString deleteNamesTip()
{
    return u"Cancella i nomi e i banchi della classe, dopo averlo chiesto"_s;
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

QString pasted(int names, int dropped)
{
    if (names == 0)
        return u"Nessun nome incollato."_s;
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

QString typedFold(const QString &typed, const QString &written)
{
    return u"«%1» scritto «%2»: il file dei posti non ha questa lettera (Ctrl+Z per "
           u"toglierla)."_s.arg(typed, written);
}

QString moduleNotFound(const QString &module)
{
    return u"il modulo %1 non si trova accanto al programma"_s.arg(module);
}

QString moduleMissing(const QString &reason)
{
    return u"Impossibile caricare il modulo che legge gli elenchi (%1): reinstallare posti."_s.arg(
        reason);
}

QString printModuleMissing(const QString &reason)
{
    return u"Impossibile caricare il modulo che stampa (%1): reinstallare posti."_s.arg(reason);
}

QString importList()
{
    return u"Importa elenco…"_s;
}

QString importListTip()
{
    return u"Legge i nomi della classe da un file del registro (CSV, Excel, OpenDocument)"_s;
}

QString importTitle()
{
    return u"Importa elenco"_s;
}

QString importFilter()
{
    return u"Elenchi di alunni (*.csv *.txt *.xlsx *.ods *.xls);;Tutti i file (*)"_s;
}

QString importFailed(const QString &fileName, const QString &reason)
{
    return u"Impossibile importare «%1».\n%2\nSullo schermo non è cambiato nulla."_s.arg(fileName,
                                                                                         reason);
}

QString sheetPicker()
{
    return u"Foglio:"_s;
}

QString classPicker()
{
    return u"Classe:"_s;
}

QString classChoice(const QString &className, int pupils)
{
    return u"%1 (%2 alunni)"_s.arg(className).arg(pupils);
}

QString namesFrame()
{
    return u"Nomi nelle caselle"_s;
}

QString changesFrame()
{
    return u"Cambiamenti e righe saltate"_s;
}

QString numberedName(int box, const QString &name)
{
    return u"%1. %2"_s.arg(box, 2, 10, QChar(u'0')).arg(name);
}

QString noChanges()
{
    return u"Nessuno: i nomi sono come nel file."_s;
}

QString tooManyPupils(int pupils)
{
    return u"La classe ha %1 alunni: ne entrano al massimo 30. Non si può importare; "
           u"sullo schermo non cambia nulla."_s.arg(pupils);
}

QString importReplaces(int pupils, const QString &newClass, const QString &oldClass, int oldNames,
                       int seated)
{
    QString text =
        u"Importando, i %1 nomi prendono il posto dei %2 nomi sullo schermo"_s.arg(pupils).arg(
            oldNames);
    if (!newClass.isEmpty())
        text += u" e la classe si chiamerà «%1»"_s.arg(newClass) +
                (oldClass.isEmpty() ? QString() : u" invece di «%1»"_s.arg(oldClass));
    text += u"; %1 banchi occupati tornano vuoti, i banchi non usati restano. Ogni nome è un "
            u"alunno nuovo: regole e posti degli alunni di prima non valgono più dopo "
            u"«Memorizza». Nulla è memorizzato prima di «Memorizza»; Ctrl+Z annulla."_s.arg(seated);
    return text;
}

QString importButton()
{
    return u"Importa"_s;
}

QString cancel()
{
    return u"Annulla"_s;
}

QString exportPlan()
{
    return u"Esporta…"_s;
}

QString exportPlanTip()
{
    return u"Salva la pianta della classe sullo schermo come CSV per un foglio di calcolo"_s;
}

QString exportTitle()
{
    return u"Esporta la pianta dei posti"_s;
}

QString exportFilter()
{
    return u"CSV per foglio di calcolo (*.csv)"_s;
}

QString exportFileName(const QString &classTitle)
{
    return u"Pianta dei posti - %1.csv"_s.arg(classTitle);
}

QString exportFailed(const QString &fileName, const QString &reason)
{
    return u"Impossibile salvare «%1»: %2."_s.arg(fileName, reason);
}

QString plansAction()
{
    return u"Disposizioni precedenti…"_s;
}

QString plansActionTip()
{
    return u"Le disposizioni memorizzate della classe, da rivedere o ripristinare, e chi è già "
           "stato compagno di banco di chi"_s;
}

QString plansTitle(const QString &classTitle)
{
    return u"Disposizioni precedenti della classe %1"_s.arg(classTitle);
}

QString plansTab()
{
    return u"&Disposizioni"_s;
}

QString plansList()
{
    return u"Disposizioni &memorizzate:"_s;
}

QString plansListDescription()
{
    return u"Dalla più recente; Invio rimette sullo schermo quella scelta"_s;
}

QString noPlans()
{
    return u"Non ci sono ancora disposizioni memorizzate."_s;
}

QString planRoom()
{
    return u"Pianta della disposizione"_s;
}

QString planRoomDescription(const QString &date)
{
    return u"L'aula il %1 come la vedono gli alunni, con la cattedra davanti; la stessa "
           "disposizione, banco per banco, è nell'elenco accanto"_s.arg(date);
}

QString deskList()
{
    return u"&Banco per banco:"_s;
}

QString deskListDescription()
{
    return u"Chi sedeva a ogni banco nella disposizione scelta"_s;
}

QString deskLine(int desk, int row, const QString &occupant)
{
    return u"Banco %1, fila %2: %3"_s.arg(desk).arg(row).arg(occupant);
}

QString formerPupil(const QString &name)
{
    return u"%1 (non più in classe)"_s.arg(name);
}

QString restorePlan()
{
    return u"&Ripristina"_s;
}

QString restorePlanTip()
{
    return u"Rimette la disposizione scelta sullo schermo; si annulla con Ctrl+Z e resta da "
           "memorizzare"_s;
}

QString clearHistory()
{
    return u"Cancella la cron&ologia"_s;
}

QString clearHistoryTip()
{
    return u"Dimentica tutte le disposizioni memorizzate della classe, dopo averlo chiesto"_s;
}

QString closePlans()
{
    return u"&Chiudi"_s;
}

QString closePlansDescription()
{
    return u"Chiude senza cambiare nulla"_s;
}

QString matesTab()
{
    return u"Compa&gni di banco"_s;
}

QString matesIntro(int plans)
{
    if (plans == 0)
        return noPlans();
    const QString where = plans == 1 ? u"nell'unica disposizione memorizzata"_s
                                     : u"nelle %1 disposizioni memorizzate"_s.arg(plans);
    return u"Quanti compagni di banco diversi ha avuto ogni alunno %1, e chi erano: in cima chi "
           "ne ha avuti meno."_s.arg(where);
}

QString matesTable()
{
    return u"Compagni di banco di ogni alunno"_s;
}

QString matesHeader(int column)
{
    static const QString headers[] = {u"Alunno"_s, u"Compagni"_s, u"Chi erano"_s};
    return headers[column];
}

QString noMates()
{
    return u"nessuno"_s;
}

} // namespace WindowTexts
