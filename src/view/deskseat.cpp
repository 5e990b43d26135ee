// SPDX-License-Identifier: GPL-3.0-or-later
#include "deskseat.h"

#include "viewtexts.h"

DeskSeat DeskSeat::fromSelector(int selection, const QString &shownText)
{
    DeskSeat desk;
    if (selection == SeatList::Marker)
        desk.unused = true;
    else
        desk.pupil = shownText.trimmed();
    return desk;
}

QString DeskSeat::inWords() const
{
    if (unused)
        return ViewTexts::unusedDesk();
    return pupil.isEmpty() ? ViewTexts::freeDesk() : pupil;
}

QString classTitle(const QString &className, int tab)
{
    const QString name = className.trimmed();
    return name.isEmpty() ? ViewTexts::unnamedClass(tab) : name;
}
