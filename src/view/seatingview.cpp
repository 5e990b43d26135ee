// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingview.h"

SeatingView::Answer SeatingView::messageBox(const QString &text, const QString &title,
                                            Buttons buttons)
{
    if (buttons == Buttons::Ok) {
        ask({text, title, {AnswerText::ok()}});
        return Answer::Ok;
    }
    // A plain question's Escape is its No.
    const int no = 1;
    const int answer = ask({text,
                            title,
                            {AnswerText::yes(), AnswerText::no()},
                            buttons == Buttons::YesNoDefaultNo ? no : 0,
                            no});
    return answer == no ? Answer::No : Answer::Yes;
}

QStringList SeatingView::pupilNames() const
{
    QStringList names;
    for (int box = 0; box < Archivio::Pupils; ++box)
        names.append(nameText(box));
    return names;
}

QStringList SeatingView::deskItems(int desk) const
{
    QStringList items;
    for (int position = 0; position < deskItemCount(desk); ++position)
        items.append(deskItem(desk, position));
    return items;
}
