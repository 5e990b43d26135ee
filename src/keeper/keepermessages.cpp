#include "keepermessages.h"

#include <QDir>

namespace KeeperMessages {
namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The system's reasons come without a full stop; ours are written the same way.
QString sentence(const QString &reason)
{
    return reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.');
}

} // namespace

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

QString paragraphs(const QStringList &parts)
{
    return parts.join(QStringLiteral("\n\n"));
}

QString restoreJournal(const QString &journalFolder)
{
    return QStringLiteral("L'ultima volta il programma non è stato chiuso correttamente, e il "
                          "file dei posti non contiene le classi memorizzate prima "
                          "dell'interruzione.\n\nRipristinare le classi memorizzate prima "
                          "dell'interruzione?\n\nRispondendo No, verranno conservate a parte "
                          "nella cartella\n%1")
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
        .arg(reason);
}

QString saveFailed(const QString &filePath, const QString &reason)
{
    return QStringLiteral("Impossibile salvare le classi nel file dei posti\n%1\n%2\n\n"
                          "Riprovare?")
        .arg(native(filePath), sentence(reason));
}

QString recoveryWritten(const QString &recoveryPath, const QString &seatingFileName)
{
    return QStringLiteral("Le classi sono state salvate nel file di recupero\n%1\n\n"
                          "Per riaverle, copiarlo nella cartella del programma con il nome "
                          "«%2».")
        .arg(native(recoveryPath), seatingFileName);
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
