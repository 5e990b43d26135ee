// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabledifferences.h"

#include "archivio.h"

namespace TableDifferences {
namespace {

int differing(const Archivio &before, const Archivio &after, int tab, int column)
{
    int n = 0;
    for (int slot = 0; slot < Archivio::Pupils; ++slot) {
        const int row = Archivio::row(tab, slot);
        n += before.cell(row, column) != after.cell(row, column) ? 1 : 0;
    }
    return n;
}

} // namespace

QList<ClassDifference> compare(const Archivio &before, const Archivio &after)
{
    QList<ClassDifference> differences;
    for (int tab = 1; tab <= Archivio::Classes; ++tab) {
        const int classNameRow = Archivio::row(tab, Archivio::ClassNameSlot);
        ClassDifference difference;
        difference.tab = tab;
        difference.className = after.cell(classNameRow, Archivio::NameColumn);
        difference.names = differing(before, after, tab, Archivio::NameColumn);
        difference.classNameChanged =
            before.cell(classNameRow, Archivio::NameColumn) != difference.className;
        difference.desks = differing(before, after, tab, Archivio::PositionColumn);
        if (difference.names > 0 || difference.classNameChanged || difference.desks > 0)
            differences << difference;
    }
    return differences;
}

} // namespace TableDifferences
