// SPDX-License-Identifier: GPL-3.0-or-later
#include "classsnapshot.h"

#include "seatingview.h"

ClassSnapshot ClassSnapshot::take(const SeatingView &view)
{
    ClassSnapshot snapshot;
    for (int box = 0; box < SeatingView::NameBoxes; ++box)
        snapshot.m_names[box] = view.nameText(box);
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        QStringList items = view.deskItems(desk);
        // Every desk normally holds the same list: keep it once.
        if (desk > 0 && snapshot.m_items.at(desk - 1) == items)
            items = snapshot.m_items.at(desk - 1);
        snapshot.m_items[desk] = items;
        snapshot.m_selections[desk] = view.deskSelection(desk);
    }
    return snapshot;
}

void ClassSnapshot::restore(SeatingView &view) const
{
    UpdateGuard updating(view);
    for (int box = 0; box < SeatingView::NameBoxes; ++box)
        view.setNameText(box, m_names.at(box));
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        view.setDeskItems(desk, m_items.at(desk));
        view.setDeskSelection(desk, m_selections.at(desk));
    }
}

bool ClassSnapshot::operator==(const ClassSnapshot &other) const
{
    return m_names == other.m_names && m_selections == other.m_selections &&
           m_items == other.m_items;
}
