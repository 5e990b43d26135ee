// SPDX-License-Identifier: GPL-3.0-or-later
#include "keepermessages.h"

#include <QDir>
#include <QFileInfo>

namespace KeeperMessages {
namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The system's reasons come without a full stop; ours are written the same way.
QString sentence(const QString &systemText)
{
    const QString text = reason(systemText);
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

struct Cause
{
    const char *systemText; // as Linux, macOS, Windows in English, or Qt say it
    const char *italian;
};

// Matched anywhere in the system's text, case aside. Windows gives its own
// texts in the system's language, so an Italian system needs none of these.
const Cause Causes[] = {
    {"Permission denied", "il sistema non concede il permesso"},
    {"Operation not permitted", "il sistema non concede il permesso"},
    {"Access is denied", "il sistema non concede il permesso"},
    {"is not writable", "il sistema non permette di modificare il file"},
    {"No space left on device", "il disco è pieno"},
    {"Disk quota exceeded", "il disco è pieno"},
    {"not enough space on the disk", "il disco è pieno"},
    {"disk is full", "il disco è pieno"},
    {"name too long", "il nome del file o della cartella è troppo lungo"},
    {"filename or extension is too long", "il nome del file o della cartella è troppo lungo"},
    {"No such file or directory", "la cartella non esiste"},
    {"cannot find the path specified", "la cartella non esiste"},
    {"Not a directory", "la cartella non esiste"},
    {"Read-only file system", "il disco è di sola lettura"},
    {"write protected", "il disco è di sola lettura"},
    {"Text file busy", "il file è in uso da un altro programma"},
    {"resource busy", "il file è in uso da un altro programma"},
    {"being used by another process", "il file è in uso da un altro programma"},
    {"for input", "il file originale non si può leggere"},
};

} // namespace

QString reason(const QString &systemText)
{
    for (const Cause &cause : Causes) {
        if (systemText.contains(QLatin1String(cause.systemText), Qt::CaseInsensitive))
            return QString::fromUtf8(cause.italian);
    }
    return systemText;
}

QString damaged(const QString &filePath, const QStringList &problems)
{
    QString text = QStringLiteral("Il file dei posti\n%1\nera danneggiato. Sono state recuperate "
                                  "tutte le righe leggibili, ognuna al suo posto, e aggiustate "
                                  "quelle che si potevano; i problemi trovati sono:")
                       .arg(native(filePath));
    for (const QString &problem : problems)
        text += QStringLiteral("\n- ") + problem;
    return text;
}

QString unreadable(const QString &filePath, const QString &reason)
{
    return QStringLiteral("Non è stato possibile leggere il file dei posti\n%1\n%2\n"
                          "Il programma parte con le classi vuote.")
        .arg(native(filePath), sentence(reason));
}

QString copyKept(const QString &copyPath)
{
    return QStringLiteral("Il file originale, così com'era, è stato copiato in:\n%1")
        .arg(native(copyPath));
}

QString copyFailed(const QString &reason)
{
    return QStringLiteral("Non è stato possibile copiare il file originale: %1\n"
                          "Per non perderlo, alla chiusura non verrà sovrascritto senza "
                          "prima averne fatto una copia.")
        .arg(sentence(reason));
}

QString folderCannotTakeFile(const QString &filePath, const QString &reason)
{
    return QStringLiteral("Il file dei posti non potrà essere salvato in\n%1\n%2\n"
                          "Conviene chiudere subito il programma e spostarlo in una cartella "
                          "dove si possa scrivere; altrimenti, alla chiusura le classi verranno "
                          "salvate in un file di recupero.")
        .arg(native(filePath), sentence(reason));
}

QString nothingCanBeKept(const QString &filePath, const QString &reason,
                         const QString &dataFolderReason)
{
    QString text = QStringLiteral("Il file dei posti non potrà essere salvato in\n%1\n%2")
                       .arg(native(filePath), sentence(reason));
    if (!dataFolderReason.isEmpty()) {
        text += QStringLiteral("\nNemmeno la cartella dei dati personali può accogliere un file "
                               "di recupero: %1")
                    .arg(sentence(dataFolderReason));
    }
    return text + QStringLiteral("\n\nNulla di questa sessione potrà essere conservato: né le "
                                 "classi memorizzate né un file di recupero. Conviene chiudere "
                                 "subito il programma e spostarlo in una cartella dove si possa "
                                 "scrivere.");
}

QString programFolderUnknown(const QString &filePath)
{
    return QStringLiteral("Non è stato possibile trovare la cartella del programma: forse il suo "
                          "nome contiene caratteri che il sistema non sa leggere. Per non usare "
                          "il file di un'altra cartella, il file dei posti è\n%1\n"
                          "nella cartella dei dati personali.")
        .arg(native(filePath));
}

QString paragraphs(const QStringList &parts)
{
    return parts.join(QStringLiteral("\n\n"));
}

QString openElsewhere(const QString &filePath)
{
    return QStringLiteral("Il file dei posti\n%1\nè già aperto in un'altra copia del programma.\n"
                          "Questa finestra mostra le classi in sola lettura: nulla di quello che "
                          "vi si fa verrà salvato. Per lavorare, usare l'altra copia.")
        .arg(native(filePath));
}

QString restoreJournal(const QString &journalFolder, const QStringList &differences)
{
    QString text = QStringLiteral("L'ultima volta il programma non è stato chiuso correttamente, e "
                                  "il file dei posti non contiene le classi memorizzate prima "
                                  "dell'interruzione. Rispetto al file, cambiano:");
    for (const QString &difference : differences)
        text += QStringLiteral("\n- ") + difference;
    return text + QStringLiteral("\n\nRipristinare le classi memorizzate prima "
                                 "dell'interruzione? Il file com'è verrà prima copiato.\n\n"
                                 "Rispondendo No, verranno conservate a parte nella cartella\n%1")
                      .arg(native(journalFolder));
}

QString journalUnreadable(const QString &reason, const QString &keptAt)
{
    return QStringLiteral("L'ultima volta il programma non è stato chiuso correttamente, ma le "
                          "classi memorizzate prima dell'interruzione non si possono leggere: "
                          "%1\nIl file è stato conservato in:\n%2")
        .arg(sentence(reason), native(keptAt));
}

QString journalNotSetAside(const QString &journalPath, const QString &reason)
{
    return QStringLiteral("Non è stato possibile mettere da parte le classi memorizzate prima "
                          "dell'interruzione (%1): %2\nPer non perderle, in questa sessione non "
                          "verranno sostituite: un'altra interruzione perderebbe le classi "
                          "memorizzate da ora.")
        .arg(native(journalPath), sentence(reason));
}

QString journalNotWritten(const QString &journalPath, const QString &reason)
{
    return QStringLiteral("Non è stato possibile scrivere la copia di sicurezza delle classi\n"
                          "%1\n%2\nLe classi memorizzate verranno comunque salvate alla "
                          "chiusura, ma andrebbero perse se il programma si interrompesse "
                          "prima.")
        .arg(native(journalPath), sentence(reason));
}

QString originalAtRisk(const QString &reason)
{
    return QStringLiteral("il file esistente non è stato letto all'avvio e non se ne può fare "
                          "una copia (%1): sovrascriverlo lo perderebbe")
        .arg(KeeperMessages::reason(reason));
}

QString saveFailed(const QString &filePath, const QString &reason)
{
    return QStringLiteral("Impossibile salvare le classi nel file dei posti\n%1\n%2\n\n"
                          "Riprovare?")
        .arg(native(filePath), sentence(reason));
}

QString changedElsewhere(const QString &copyPath)
{
    return QStringLiteral("Il file dei posti era stato modificato da un altro programma dopo "
                          "l'avvio. Ora contiene le classi di questa finestra; l'altra versione "
                          "è stata conservata in:\n%1")
        .arg(native(copyPath));
}

QString changedNotCopied(const QString &reason)
{
    return QStringLiteral("il file è stato modificato da un altro programma dopo l'avvio e non "
                          "se ne può fare una copia (%1): sovrascriverlo perderebbe quella "
                          "versione")
        .arg(KeeperMessages::reason(reason));
}

QString recoveryWritten(const QString &recoveryPath, const QString &seatingFilePath,
                        bool originalUnread)
{
    const QFileInfo seatingFile(seatingFilePath);
    const QString text = QStringLiteral("Le classi sono state salvate nel file di recupero\n%1\n\n")
                             .arg(native(recoveryPath));
    if (originalUnread) {
        return text + QStringLiteral("Il file dei posti che c'era all'avvio non è stato letto: "
                                     "prima di mettere al suo posto il file di recupero, "
                                     "controllare che cosa contiene.");
    }
    return text + QStringLiteral("Per riaverle, copiarlo nella cartella\n%1\ncon il nome «%2».")
                      .arg(native(seatingFile.absolutePath()), seatingFile.fileName());
}

QString recoveryFailed(const QString &recoveryPath, const QString &reason,
                       const QString &journalPath)
{
    QString text = QStringLiteral("Non è stato possibile salvare le classi neanche in un file di "
                                  "recupero");
    if (!recoveryPath.isEmpty())
        text += QLatin1Char('\n') + native(recoveryPath);
    text += QLatin1Char('\n') + sentence(reason);
    if (!journalPath.isEmpty()) {
        text += QStringLiteral("\n\nLe classi memorizzate restano nella copia di sicurezza\n%1\n"
                               "e verranno proposte al prossimo avvio.")
                    .arg(native(journalPath));
    }
    return text;
}

} // namespace KeeperMessages
