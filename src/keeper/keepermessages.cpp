// SPDX-License-Identifier: GPL-3.0-or-later
#include "keepermessages.h"

#include "archivio.h"
#include "cp1252.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <functional>

using namespace Qt::StringLiterals;

namespace KeeperMessages {
namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The system's reasons come without a full stop; ours are written the same way.
QString sentence(const QString &reason)
{
    return reason.endsWith(u'.') ? reason : reason + u'.';
}

// Row problems listed one by one before the rest are only counted.
constexpr int MaxRowProblems = 10;

// Longest piece of a damaged line quoted in a problem.
constexpr qsizetype MaxQuoted = 30;

QString quoted(QStringView text)
{
    if (text.size() <= MaxQuoted)
        return u"«%1»"_s.arg(text);
    return u"«%1…»"_s.arg(text.first(MaxQuoted));
}

// A character by itself and by its code, which may lie outside the 16-bit range.
QString namedCharacter(const QString &character)
{
    const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                                : character[0].unicode();
    return u"«%1» (U+%2)"_s.arg(character).arg(uint(code), 4, 16, QChar(u'0')).toUpper();
}

using Kind = SeatingFile::Problem::Kind;

QString fileProblem(const SeatingFile::Problem &problem)
{
    const qsizetype n = problem.count;
    switch (problem.kind) {
    case Kind::Utf8:
        return u"il file era scritto in UTF-8 da un altro programma: è stato letto come tale, e "
               "alla chiusura verrà riscritto in Windows-1252 come sempre"_s;
    case Kind::MarkBeforeWindowsText:
        return u"il file comincia con il segno che indica UTF-8, ma è scritto in Windows-1252: "
               "è stato letto come tale, e alla chiusura verrà riscritto senza quel segno"_s;
    case Kind::TooFewLines:
        return n == 0 ? u"il file è vuoto"_s
                      : u"il file ha solo %1 righe su %2: le altre sono vuote"_s.arg(n).arg(
                            Archivio::Rows);
    case Kind::ExtraLines:
        return n == 1
                   ? u"il file ha una riga in più delle %1 previste: ignorata"_s.arg(Archivio::Rows)
                   : u"il file ha %1 righe in più delle %2 previste: ignorate"_s.arg(n).arg(
                         Archivio::Rows);
    case Kind::BadLineEnds:
        return n == 1 ? u"una riga non termina con CR LF: letta lo stesso"_s
                      : u"%1 righe non terminano con CR LF: lette lo stesso"_s.arg(n);
    default:
        return QString();
    }
}

QString rowProblem(const SeatingFile::Problem &problem)
{
    switch (problem.kind) {
    case Kind::EmptyLine:
        return u"riga vuota"_s;
    case Kind::UndefinedBytes:
        return u"caratteri sconosciuti: tenuti come sono"_s;
    case Kind::NoComma:
        return u"manca la virgola: letta come nome %1, banco vuoto"_s.arg(quoted(problem.name));
    case Kind::BadPosition:
        return u"posizione %1 non valida: messa a 0"_s.arg(quoted(problem.found));
    case Kind::SeveralCommas:
        return u"più di una virgola: letta come nome %1 (virgole e virgolette diventate spazi), "
               "posizione %2"_s.arg(quoted(problem.name), problem.position);
    case Kind::LongName:
        return u"nome di %1 caratteri, più di quanti ne stiano in una casella: tenuti i primi %2"_s
            .arg(problem.count)
            .arg(SeatingFile::MaxNameLength);
    case Kind::NotInCodePage:
        return u"contiene %1, che il file non può contenere: riga non letta"_s.arg(
            namedCharacter(problem.found));
    default:
        return QString();
    }
}

// What was wrong, one short line each: the whole file's first, then the
// rows', the first few of them only, line numbers counting from 1.
QStringList problemLines(const QList<SeatingFile::Problem> &problems)
{
    QStringList lines;
    QStringList rows;
    int unlisted = 0;
    for (const SeatingFile::Problem &problem : problems) {
        if (problem.row < 0)
            lines << fileProblem(problem);
        else if (rows.size() < MaxRowProblems)
            rows << u"riga %1: %2"_s.arg(problem.row + 1).arg(rowProblem(problem));
        else
            ++unlisted;
    }
    lines << rows;
    if (unlisted == 1)
        lines << u"… e un altro problema"_s;
    else if (unlisted > 1)
        lines << u"… e altri %1 problemi"_s.arg(unlisted);
    return lines;
}

// "classe 3 («3ª B»): 2 nomi, 5 posti"
QString classDifference(const TableDifferences::ClassDifference &difference)
{
    const auto counted = [](int n, const QString &one, const QString &many) {
        return u"%1 %2"_s.arg(n).arg(n == 1 ? one : many);
    };
    QStringList what;
    if (difference.names > 0)
        what << counted(difference.names, u"nome"_s, u"nomi"_s);
    if (difference.classNameChanged)
        what << u"il nome della classe"_s;
    if (difference.desks > 0)
        what << counted(difference.desks, u"posto"_s, u"posti"_s);
    const QString &name = difference.className;
    return u"classe %1%2: %3"_s.arg(difference.tab)
        .arg(name.isEmpty() ? QString() : u" («%1»)"_s.arg(name.left(30)), what.join(u", "_s));
}

// What a rules or history file lost, one line each after text: the first
// line if it did not name the format, then at most MaxRowProblems of the
// others as row() words them, and how many more.
template <typename Problem>
QString withLinesLost(QString text, const QList<Problem> &problems,
                      const std::function<QString(const Problem &)> &row)
{
    int listed = 0;
    for (const Problem &problem : problems) {
        if (problem.kind == Problem::Kind::NoHeader)
            text += u"\n- la prima riga, che non dice la versione del file"_s;
        else if (++listed <= MaxRowProblems)
            text += u"\n- "_s + row(problem);
    }
    if (listed > MaxRowProblems)
        text += u"\n- e altre %1 righe"_s.arg(listed - MaxRowProblems);
    return text;
}

} // namespace

QString reason(FileErrorCause::Cause cause, const QString &systemText)
{
    using Cause = FileErrorCause::Cause;
    switch (cause) {
    case Cause::NoPermission:
        return u"il sistema non concede il permesso"_s;
    case Cause::NotWritable:
        return u"il sistema non permette di modificare il file"_s;
    case Cause::DiskFull:
        return u"il disco è pieno"_s;
    case Cause::NameTooLong:
        return u"il nome del file o della cartella è troppo lungo"_s;
    case Cause::MissingFolder:
        return u"la cartella non esiste"_s;
    case Cause::ReadOnlyDisk:
        return u"il disco è di sola lettura"_s;
    case Cause::InUse:
        return u"il file è in uso da un altro programma"_s;
    case Cause::Unknown:
        break;
    }
    return systemText;
}

QString folderInPlace()
{
    return u"al posto del file c'è una cartella con lo stesso nome"_s;
}

QString specialFileInPlace()
{
    return u"al posto del file c'è un file speciale (un dispositivo, una FIFO o un socket), che "
           "il programma non legge e non sostituisce"_s;
}

QString tooBig()
{
    return u"il file è troppo grande per essere un file dei posti"_s;
}

QString writeFailed()
{
    return u"scrittura non riuscita"_s;
}

QString originalUnreadable()
{
    return u"il file originale non si può leggere"_s;
}

QString tooManyCopies(const QString &fileName)
{
    return u"troppe copie di %1"_s.arg(fileName);
}

QString unstorable(const SeatingFile::Unstorable &cell)
{
    const QString what = cell.column == Archivio::NameColumn ? u"il nome"_s : u"la posizione"_s;
    const QString character = cell.character == u','
                                  ? u"una virgola"_s
                                  : u"un carattere che il file non può contenere (%1)"_s.arg(
                                        Cp1252::codePoint(cell.character));
    return u"riga %1: %2 %3 contiene %4"_s.arg(cell.row + 1)
        .arg(what, quoted(cell.text), character);
}

QString folderMissing(const QString &folder)
{
    return u"la cartella %1 non esiste"_s.arg(native(folder));
}

QString fileNotUsable()
{
    return u"il programma non ha il permesso di usare il file"_s;
}

QString fileReadOnly()
{
    return u"il file è di sola lettura"_s;
}

QString noDataFolder()
{
    return u"il sistema non indica una cartella dei dati personali"_s;
}

QString folderNotCreated(const QString &folder)
{
    return u"impossibile creare la cartella %1"_s.arg(native(folder));
}

QString journalDamaged()
{
    return u"il file è incompleto o danneggiato"_s;
}

QString damaged(const QString &filePath, const QList<SeatingFile::Problem> &problems)
{
    QString text = u"Il file dei posti\n%1\nera danneggiato. Sono state recuperate "
                   "tutte le righe leggibili, ognuna al suo posto, e aggiustate "
                   "quelle che si potevano; i problemi trovati sono:"_s.arg(native(filePath));
    for (const QString &line : problemLines(problems))
        text += u"\n- "_s + line;
    return text;
}

QString unreadable(const QString &filePath, const QString &reason)
{
    return u"Non è stato possibile leggere il file dei posti\n%1\n%2\n"
           "Il programma parte con le classi vuote."_s.arg(native(filePath), sentence(reason));
}

QString desksBlanked(int count)
{
    return count == 1
               ? u"1 banco indicava un alunno che non c'è più: ora è vuoto."_s
               : u"%1 banchi indicavano un alunno che non c'è più: ora sono vuoti."_s.arg(count);
}

QString copyKept(const QString &copyPath)
{
    return u"Il file originale, così com'era, è stato copiato in:\n%1"_s.arg(native(copyPath));
}

QString copyFailed(const QString &reason)
{
    return u"Non è stato possibile copiare il file originale: %1\n"
           "Per non perderlo, alla chiusura non verrà sovrascritto senza "
           "prima averne fatto una copia."_s.arg(sentence(reason));
}

QString folderCannotTakeFile(const QString &filePath, const QString &reason)
{
    return u"Il file dei posti non potrà essere salvato in\n%1\n%2\n"
           "Conviene chiudere subito il programma e spostarlo in una cartella "
           "dove si possa scrivere; altrimenti, alla chiusura le classi verranno "
           "salvate in un file di recupero."_s.arg(native(filePath), sentence(reason));
}

QString nothingCanBeKept(const QString &filePath, const QString &reason,
                         const QString &dataFolderReason)
{
    QString text = u"Il file dei posti non potrà essere salvato in\n%1\n%2"_s.arg(native(filePath),
                                                                                  sentence(reason));
    if (!dataFolderReason.isEmpty()) {
        text += u"\nNemmeno la cartella dei dati personali può accogliere un file "
                "di recupero: %1"_s.arg(sentence(dataFolderReason));
    }
    return text + u"\n\nNulla di questa sessione potrà essere conservato: né le "
                  "classi memorizzate né un file di recupero. Conviene chiudere "
                  "subito il programma e spostarlo in una cartella dove si possa "
                  "scrivere."_s;
}

QString programFolderUnknown(const QString &filePath)
{
    return u"Non è stato possibile trovare la cartella del programma: forse il suo "
           "nome contiene caratteri che il sistema non sa leggere. Per non usare "
           "il file di un'altra cartella, il file dei posti è\n%1\n"
           "nella cartella dei dati personali."_s.arg(native(filePath));
}

QString paragraphs(const QStringList &parts)
{
    return parts.join(u"\n\n"_s);
}

QString openElsewhere(const QString &filePath)
{
    return u"Il file dei posti\n%1\nè già aperto in un'altra copia del programma.\n"
           "Questa finestra mostra le classi in sola lettura: nulla di quello che "
           "vi si fa verrà salvato. Per lavorare, usare l'altra copia."_s.arg(native(filePath));
}

QString openOnOtherComputer(const QString &host, const QDateTime &since)
{
    const QLocale italian(QLocale::Italian);
    const bool thisYear = since.date().year() == QDate::currentDate().year();
    const QString day = italian.toString(since, thisYear ? u"d MMMM"_s : u"d MMMM yyyy"_s);
    return u"Il file dei posti risulta aperto sul computer «%1» dal %2 alle %3."_s.arg(
        host, day, italian.toString(since, u"H:mm"_s));
}

QString restoreJournal(const QString &journalFolder,
                       const QList<TableDifferences::ClassDifference> &differences,
                       int rulesChanged)
{
    QString text = u"L'ultima volta il programma non è stato chiuso correttamente, e "
                   "il file dei posti non contiene le classi memorizzate prima "
                   "dell'interruzione. Rispetto al file, cambiano:"_s;
    for (const TableDifferences::ClassDifference &difference : differences)
        text += u"\n- "_s + classDifference(difference);
    if (rulesChanged == 1)
        text += u"\n- le regole di una classe"_s;
    else if (rulesChanged > 1)
        text += u"\n- le regole di %1 classi"_s.arg(rulesChanged);
    return text + u"\n\nRipristinare le classi memorizzate prima "
                  "dell'interruzione? Il file com'è verrà prima copiato.\n\n"
                  "Rispondendo No, verranno conservate a parte nella cartella\n%1"_s.arg(
                      native(journalFolder));
}

QString rulesDamaged(const QString &filePath, const QList<RulesFile::Problem> &problems)
{
    using Problem = RulesFile::Problem;
    return withLinesLost<Problem>(
        u"Il file delle regole\n%1\nera danneggiato. Sono state lette tutte le regole "
        "leggibili; non sono state lette:"_s.arg(native(filePath)),
        problems, [](const Problem &problem) {
            const QString what = problem.kind == Problem::Kind::Duplicate ? u"una regola ripetuta"_s
                                                                          : u"non è una regola"_s;
            return u"riga %1, %2: %3"_s.arg(problem.line).arg(what, quoted(problem.text));
        });
}

QString rulesNewer(const QString &filePath)
{
    return u"Il file delle regole\n%1\nè stato scritto da una versione più recente del "
           "programma: sono state lette le regole che questa versione comprende. In questa "
           "sessione le regole non si possono cambiare, e il file resta com'è."_s.arg(
               native(filePath));
}

QString rulesUnreadable(const QString &filePath, const QString &reason)
{
    return u"Non è stato possibile leggere il file delle regole\n%1\n%2\nIn questa sessione "
           "le regole non si possono cambiare, e il file resta com'è."_s.arg(native(filePath),
                                                                             sentence(reason));
}

QString rulesNotSaved(const QString &filePath, const QString &reason, const QString &journalPath)
{
    QString text = u"Non è stato possibile salvare le regole nel file\n%1\n%2"_s.arg(
        native(filePath), sentence(reason));
    if (!journalPath.isEmpty())
        text += u"\nLe regole restano nel file\n%1\ne verranno riproposte al prossimo avvio."_s.arg(
            native(journalPath));
    return text;
}

QString historyDamaged(const QString &filePath, const QList<HistoryFile::Problem> &problems)
{
    using Problem = HistoryFile::Problem;
    return withLinesLost<Problem>(
        u"Il file delle disposizioni precedenti\n%1\nera danneggiato. Sono state lette tutte "
        "le disposizioni leggibili; non sono state lette:"_s.arg(native(filePath)),
        problems, [](const Problem &problem) {
            return u"riga %1: %2"_s.arg(problem.line).arg(quoted(problem.text));
        });
}

QString historyNewer(const QString &filePath)
{
    return u"Il file delle disposizioni precedenti\n%1\nè stato scritto da una versione più "
           "recente del programma: sono state lette le disposizioni che questa versione "
           "comprende. In questa sessione non si registrano nuove disposizioni, e il file resta "
           "com'è."_s.arg(native(filePath));
}

QString historyUnreadable(const QString &filePath, const QString &reason)
{
    return u"Non è stato possibile leggere il file delle disposizioni precedenti\n%1\n%2\nIn "
           "questa sessione non si registrano nuove disposizioni, e il file resta com'è."_s.arg(
               native(filePath), sentence(reason));
}

QString historyNotSaved(const QString &filePath, const QString &reason, const QString &journalPath)
{
    QString text =
        u"Non è stato possibile salvare le disposizioni precedenti nel file\n%1\n%2"_s.arg(
            native(filePath), sentence(reason));
    if (!journalPath.isEmpty())
        text += u"\nLe disposizioni restano nel file\n%1\ne verranno riproposte al prossimo "
                "avvio."_s.arg(native(journalPath));
    return text;
}

QString journalUnreadable(const QString &reason, const QString &keptAt)
{
    return u"L'ultima volta il programma non è stato chiuso correttamente, ma le "
           "classi memorizzate prima dell'interruzione non si possono leggere: "
           "%1\nIl file è stato conservato in:\n%2"_s.arg(sentence(reason), native(keptAt));
}

QString journalNotSetAside(const QString &journalPath, const QString &reason)
{
    return u"Non è stato possibile mettere da parte le classi memorizzate prima "
           "dell'interruzione (%1): %2\nPer non perderle, in questa sessione non "
           "verranno sostituite: un'altra interruzione perderebbe le classi "
           "memorizzate da ora."_s.arg(native(journalPath), sentence(reason));
}

QString restoreUnstored(const QString &classTitle)
{
    return u"Quando il programma si è interrotto, la classe «%1» aveva modifiche non "
           "memorizzate, conservate a parte.\n\nRimetterle sullo schermo? Resteranno da "
           "memorizzare."_s.arg(classTitle);
}

QString unstoredSetAside(const QString &keptAt, bool unreadable)
{
    const QString why = unreadable ? u"non si possono leggere"_s
                                   : u"non corrispondono più alle classi memorizzate"_s;
    return u"Le modifiche non memorizzate rimaste dall'ultima interruzione %1, e non "
           "vengono riproposte. Sono state conservate in:\n%2"_s.arg(why, native(keptAt));
}

QString unstoredNotSetAside(const QString &path, const QString &reason)
{
    return u"Non è stato possibile mettere da parte le modifiche non memorizzate rimaste "
           "dall'ultima interruzione (%1): %2\nPer non perderle, in questa sessione non "
           "verranno sostituite."_s.arg(native(path), sentence(reason));
}

QString journalNotWritten(const QString &journalPath, const QString &reason)
{
    return u"Non è stato possibile scrivere la copia di sicurezza delle classi\n"
           "%1\n%2\nLe classi memorizzate verranno comunque salvate alla "
           "chiusura, ma andrebbero perse se il programma si interrompesse "
           "prima."_s.arg(native(journalPath), sentence(reason));
}

QString originalAtRisk(const QString &reason)
{
    return u"il file esistente non è stato letto all'avvio e non se ne può fare "
           "una copia (%1): sovrascriverlo lo perderebbe"_s.arg(reason);
}

QString saveFailed(const QString &filePath, const QString &reason)
{
    return u"Impossibile salvare le classi nel file dei posti\n%1\n%2\n\n"
           "Riprovare?"_s.arg(native(filePath), sentence(reason));
}

QString changedElsewhere(const QString &copyPath)
{
    return u"Il file dei posti era stato modificato da un altro programma dopo "
           "l'avvio. Ora contiene le classi di questa finestra; l'altra versione "
           "è stata conservata in:\n%1"_s.arg(native(copyPath));
}

QString changedNotCopied(const QString &reason)
{
    return u"il file è stato modificato da un altro programma dopo l'avvio e non "
           "se ne può fare una copia (%1): sovrascriverlo perderebbe quella "
           "versione"_s.arg(reason);
}

QString recoveryWritten(const QString &recoveryPath, const QString &seatingFilePath,
                        bool originalUnread)
{
    const QFileInfo seatingFile(seatingFilePath);
    const QString text =
        u"Le classi sono state salvate nel file di recupero\n%1\n\n"_s.arg(native(recoveryPath));
    if (originalUnread) {
        return text + u"Il file dei posti che c'era all'avvio non è stato letto: "
                      "prima di mettere al suo posto il file di recupero, "
                      "controllare che cosa contiene."_s;
    }
    return text + u"Per riaverle, copiarlo nella cartella\n%1\ncon il nome «%2»."_s.arg(
                      native(seatingFile.absolutePath()), seatingFile.fileName());
}

QString recoveryFailed(const QString &recoveryPath, const QString &reason,
                       const QString &journalPath)
{
    QString text = u"Non è stato possibile salvare le classi neanche in un file di "
                   "recupero"_s;
    if (!recoveryPath.isEmpty())
        text += u'\n' + native(recoveryPath);
    text += u'\n' + sentence(reason);
    if (!journalPath.isEmpty()) {
        text += u"\n\nLe classi memorizzate restano nella copia di sicurezza\n%1\n"
                "e verranno proposte al prossimo avvio."_s.arg(native(journalPath));
    }
    return text;
}

} // namespace KeeperMessages
