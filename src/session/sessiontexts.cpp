// SPDX-License-Identifier: GPL-3.0-or-later
#include "sessiontexts.h"

#include <QDir>

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

QString reseatCaption()
{
    return u"Nuovi compagni di banco"_s;
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

QString importStep()
{
    return u"importa elenco"_s;
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

QString restoreStep()
{
    return u"ripristino della disposizione"_s;
}

QString clearHistoryStep()
{
    return u"cancellazione della cronologia"_s;
}

QString clearHistoryQuestion(const QString &classTitle)
{
    return u"Cancellare tutte le disposizioni memorizzate della classe «%1»? «Nuovi compagni di "
           "banco» non saprà più chi è già stato compagno di banco di chi."_s.arg(classTitle);
}

QString unstoredQuestion(const QString &classTitle)
{
    return u"La classe «%1» ha modifiche non memorizzate. Memorizzarle?"_s.arg(classTitle);
}

QString ruleKind(SeatingRule::Kind kind)
{
    switch (kind) {
    case SeatingRule::Kind::Separati:
        return u"Separati"_s;
    case SeatingRule::Kind::Compagni:
        return u"Compagni di banco"_s;
    case SeatingRule::Kind::Davanti:
        return u"Davanti"_s;
    case SeatingRule::Kind::BancoFisso:
        return u"Banco fisso"_s;
    case SeatingRule::Kind::MaiCompagni:
        return u"Mai più compagni"_s;
    }
    return QString();
}

QString ruleRenamed(SeatingRule::Kind kind, const QString &name, const QString &before)
{
    return u"La regola «%1» ora riguarda «%2» (prima «%3»)."_s.arg(ruleKind(kind), name, before);
}

QString ruleRemoved(SeatingRule::Kind kind, const QString &name)
{
    return u"La regola «%1» di «%2» è stata tolta: il nome non c'è più."_s.arg(ruleKind(kind),
                                                                               name);
}

QString rulesOfOldPupilsRemoved(int count)
{
    if (count == 1)
        return u"L'elenco degli alunni è stato sostituito: la regola degli alunni di prima è "
               "stata tolta."_s;
    return u"L'elenco degli alunni è stato sostituito: le %1 regole degli alunni di prima sono "
           "state tolte."_s.arg(count);
}

QString rulesTitle()
{
    return u"Regole della classe"_s;
}

QString ruleAdded()
{
    return u"«Aggiungi regola»"_s;
}

QString ruleDeleted()
{
    return u"«Togli regola»"_s;
}

QString otherComputerQuestion(const QString &openOnOtherComputer)
{
    return openOnOtherComputer +
           u"\nSe là il programma è ancora aperto, conviene aprire il file in sola lettura: "
           "qui non verrà salvato nulla. Se invece là è chiuso (il computer spento o la "
           "chiavetta tolta con il programma aperto), lo si può aprire comunque."_s;
}

QString openReadOnly()
{
    return u"Apri in sola lettura"_s;
}

QString openAnyway()
{
    return u"Apri comunque"_s;
}

QString mostlyUnreadQuestion(const QString &filePath, const QString &copyPath)
{
    QString text = u"Il programma non ha potuto leggere la maggior parte del file dei posti\n%1\n"
                   "Se lo riscrivesse alla chiusura, del file resterebbe solo il poco che ha "
                   "letto."_s.arg(QDir::toNativeSeparators(filePath));
    if (!copyPath.isEmpty())
        text +=
            u"\nUna copia del file com'è si trova in\n%1"_s.arg(QDir::toNativeSeparators(copyPath));
    return text + u"\n\nLasciando il file com'è, la finestra si apre in sola lettura e nulla "
                  "verrà salvato. Ricominciando con un file nuovo, le classi partono vuote e "
                  "alla chiusura prendono il posto del file."_s;
}

QString leaveFile()
{
    return u"Lascia il file com'è"_s;
}

QString startAfresh()
{
    return u"Ricomincia con un file nuovo"_s;
}

QString openElsewhere()
{
    return u"il file è già aperto in un'altra copia del programma"_s;
}

QString openOnComputer(const QString &host)
{
    return u"il file risulta aperto sul computer «%1»"_s.arg(host);
}

QString leftAsItWas()
{
    return u"il file non si è potuto leggere in gran parte e resta com'è"_s;
}

QString storedInMemoryOnly()
{
    return u"Questa copia è in sola lettura: le classi memorizzate restano solo finché la "
           "finestra è aperta, e si possono stampare. Alla chiusura andranno perse; il file "
           "dei posti non cambia."_s;
}

QString readOnlyCloseQuestion()
{
    return u"Questa copia è in sola lettura: le modifiche andranno perse."_s;
}

QString closeWithoutSaving()
{
    return u"Chiudi senza salvare"_s;
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
