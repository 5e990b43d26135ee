// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeview.h"

#include "seatingrules.h"

// A position the list does not hold selects nothing, as in a combo box.
void FakeSeatingView::setDeskSelection(int desk, int position)
{
    selection[desk] = position >= 0 && position < items.at(desk).size() ? position : -1;
    unflaggedChanges += aggiornamento() ? 0 : 1;
    if (rules)
        rules->seatChanged(desk);
}

SeatingView::Answer FakeSeatingView::messageBox(const QString &text, const QString &title,
                                                Buttons buttons)
{
    static const char *const names[] = {"|Ok", "|YesNo", "|YesNoDefaultNo"};
    log.append(title + '|' + text + names[int(buttons)]);
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return answers.isEmpty() ? answer : answers.takeFirst();
}
