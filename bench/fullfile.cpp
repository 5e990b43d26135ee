// SPDX-License-Identifier: GPL-3.0-or-later
#include "fullfile.h"

#include "archivio.h"
#include "fullnames.h"
#include "seatingfile.h"

#include <QFile>

namespace FullFile {

void fill(Archivio &archivio)
{
    for (int tab = 1; tab <= Archivio::Classes; ++tab) {
        for (int slot = 0; slot < Archivio::Pupils; ++slot) {
            const int row = Archivio::row(tab, slot);
            archivio.setCell(row, Archivio::NameColumn, FullNames::pupil(tab, slot));
            // Seat list position: blank, marker, then the pupils in slot order.
            archivio.setCell(row, Archivio::PositionColumn,
                             QString::number(FullNames::seatedPupil(tab, slot) + 2));
        }
        archivio.setCell(Archivio::row(tab, Archivio::ClassNameSlot), Archivio::NameColumn,
                         FullNames::className(tab));
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
