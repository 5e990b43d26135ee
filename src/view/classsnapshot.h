// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"

#include <QList>
#include <QStringList>

class SeatingView;

// What the screen shows of the class on it: the 31 names, and every desk's
// seat list and selection. The lists are kept as they stand, not rebuilt from
// the names: after "Cancella nomi" they still offer the old names.
class ClassSnapshot
{
public:
    static ClassSnapshot take(const SeatingView &view);

    // Puts the screen back as it was. The update flag is raised throughout,
    // so no restored selection starts a seat-change reaction.
    void restore(SeatingView &view) const;

    const QString &name(int box) const { return m_names.at(box); }
    void setName(int box, const QString &name) { m_names[box] = name; }
    int selection(int desk) const { return m_selections.at(desk); }

    bool operator==(const ClassSnapshot &other) const;
    bool operator!=(const ClassSnapshot &other) const { return !(*this == other); }

private:
    // Until taken, the screen of a window not yet started: all empty.
    QStringList m_names = QStringList(Archivio::SlotsPerClass, QString());
    QList<QStringList> m_items = QList<QStringList>(Archivio::Pupils);
    QList<int> m_selections = QList<int>(Archivio::Pupils, -1);
};
