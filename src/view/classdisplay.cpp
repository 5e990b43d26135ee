// SPDX-License-Identifier: GPL-3.0-or-later
#include "classdisplay.h"

#include "archivio.h"
#include "seatingview.h"

#include <QStringList>

namespace ClassDisplay {

namespace {

// A position that is not a number, or that the rebuilt list does not reach
// (a seated pupil's name was deleted since), shows the desk blank.
int shownPosition(const QString &stored, int itemCount)
{
    const int position = positionValue(stored).value_or(SeatList::Blank);
    return position >= -1 && position < itemCount ? position : SeatList::Blank;
}

} // namespace

void rebuildSeatLists(SeatingView &view)
{
    QStringList items{QString(), SeatList::markerText()};
    QList<int> listed;
    for (int box = 0; box < Archivio::Pupils; ++box) {
        const QString name = view.nameText(box);
        if (!name.isEmpty()) {
            items.append(name);
            listed.append(box);
        }
    }
    view.setListedSlots(listed);
    for (int desk = 0; desk < SeatingView::Desks; ++desk)
        view.setDeskItems(desk, items);
}

void showClass(SeatingView &view, const Archivio &archivio, int tab)
{
    UpdateGuard updating(view);
    for (int box = 0; box < SeatingView::NameBoxes; ++box)
        view.setNameText(box, archivio.cell(Archivio::row(tab, box), Archivio::NameColumn));
    rebuildSeatLists(view);
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const QString &stored = archivio.cell(Archivio::row(tab, desk), Archivio::PositionColumn);
        view.setDeskSelection(desk, shownPosition(stored, view.deskItemCount(desk)));
    }
}

bool showsStoredClass(const SeatingView &view, const Archivio &archivio, int tab)
{
    for (int box = 0; box < SeatingView::NameBoxes; ++box) {
        if (view.nameText(box) != archivio.cell(Archivio::row(tab, box), Archivio::NameColumn))
            return false;
    }
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const QString &stored = archivio.cell(Archivio::row(tab, desk), Archivio::PositionColumn);
        if (view.deskSelection(desk) != shownPosition(stored, view.deskItemCount(desk)))
            return false;
    }
    return true;
}

void setTabCaptions(SeatingView &view, const Archivio &archivio)
{
    for (int tab = 1; tab <= SeatingView::Tabs; ++tab) {
        const QString &className =
            archivio.cell(Archivio::row(tab, Archivio::ClassNameSlot), Archivio::NameColumn);
        if (!className.isEmpty())
            view.setTabCaption(tab, className);
    }
}

} // namespace ClassDisplay
