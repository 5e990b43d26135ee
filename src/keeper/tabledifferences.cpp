// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabledifferences.h"

#include "archivio.h"

namespace TableDifferences {
namespace {

QString counted(int n, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? one : many);
}

int differing(const Archivio &before, const Archivio &after, int tab, int column, int count)
{
    int n = 0;
    for (int slot = 0; slot < count; ++slot) {
        const int row = Archivio::row(tab, slot);
        n += before.cell(row, column) != after.cell(row, column) ? 1 : 0;
    }
    return n;
}

} // namespace

QStringList describe(const Archivio &before, const Archivio &after)
{
    QStringList lines;
    for (int tab = 1; tab <= Archivio::Classes; ++tab) {
        const int classNameRow = Archivio::row(tab, Archivio::ClassNameSlot);
        QStringList what;
        const int names = differing(before, after, tab, Archivio::NameColumn, Archivio::Pupils);
        if (names > 0)
            what << counted(names, QStringLiteral("nome"), QStringLiteral("nomi"));
        if (before.cell(classNameRow, Archivio::NameColumn) !=
            after.cell(classNameRow, Archivio::NameColumn)) {
            what << QStringLiteral("il nome della classe");
        }
        const int desks = differing(before, after, tab, Archivio::PositionColumn, Archivio::Pupils);
        if (desks > 0)
            what << counted(desks, QStringLiteral("posto"), QStringLiteral("posti"));
        if (what.isEmpty())
            continue;
        const QString name = after.cell(classNameRow, Archivio::NameColumn);
        lines << QStringLiteral("classe %1%2: %3")
                     .arg(tab)
                     .arg(name.isEmpty() ? QString() : QStringLiteral(" («%1»)").arg(name.left(30)),
                          what.join(QStringLiteral(", ")));
    }
    return lines;
}

} // namespace TableDifferences
