#include "fullfile.h"

#include "archivio.h"
#include "seatingfile.h"

#include <QFile>
#include <QStringList>

namespace FullFile {

namespace {

// Names of everyday lengths: the seat lists and the file grow with them.
QString pupilName(int tab, int slot)
{
    static const QStringList surnames = {
        QStringLiteral("Rossi"),   QStringLiteral("Bianchi"), QStringLiteral("Esposito"),
        QStringLiteral("Romano"),  QStringLiteral("Colombo"), QStringLiteral("Ricci"),
        QStringLiteral("Marino"),  QStringLiteral("Greco"),   QStringLiteral("Bruno"),
        QStringLiteral("Gallo"),   QStringLiteral("Conti"),   QStringLiteral("De Luca"),
        QStringLiteral("Mancini"), QStringLiteral("Costa"),   QStringLiteral("Giordano"),
    };
    static const QStringList givenNames = {
        QStringLiteral("Giulia"),     QStringLiteral("Francesco"), QStringLiteral("Sofia"),
        QStringLiteral("Alessandro"), QStringLiteral("Aurora"),    QStringLiteral("Lorenzo"),
        QStringLiteral("Ginevra"),    QStringLiteral("Mattia"),    QStringLiteral("Beatrice"),
        QStringLiteral("Niccolò"),
    };
    const int pupil = (tab - 1) * Archivio::Pupils + slot;
    return surnames.at(pupil % surnames.size()) + QLatin1Char(' ') +
           givenNames.at((pupil / surnames.size()) % givenNames.size());
}

// Desk `desk` of class `tab` seats pupil (7·desk + tab) mod 30: 7 is prime to
// 30, so every pupil gets exactly one desk.
int seatedPupil(int tab, int desk)
{
    return (7 * desk + tab) % Archivio::Pupils;
}

} // namespace

void fill(Archivio &archivio)
{
    for (int tab = 1; tab <= Archivio::Classes; ++tab) {
        for (int slot = 0; slot < Archivio::Pupils; ++slot) {
            const int row = Archivio::row(tab, slot);
            archivio.setCell(row, Archivio::NameColumn, pupilName(tab, slot));
            // Seat list position: blank, marker, then the pupils in slot order.
            archivio.setCell(row, Archivio::PositionColumn,
                             QString::number(seatedPupil(tab, slot) + 2));
        }
        archivio.setCell(Archivio::row(tab, Archivio::ClassNameSlot), Archivio::NameColumn,
                         QStringLiteral("%1%2").arg((tab - 1) % 5 + 1).arg(QChar(u'A' + tab / 6)));
    }
}

QByteArray contents()
{
    Archivio archivio;
    fill(archivio);
    return SeatingFile::serialize(archivio);
}

bool write(const QString &path)
{
    const QByteArray bytes = contents();
    QFile file(path);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace FullFile
