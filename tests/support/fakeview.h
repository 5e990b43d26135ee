// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingview.h"

#include <QStringList>

class SeatingRules;

// The screen as plain containers. Like the window, it reports every selection
// set by the program to the rules' seat-change reaction before returning.
// Message boxes are logged as "title|text|answers", the answers joined by
// "/", the default in brackets and, where it differs from the default, the
// Escape answer after " Esc=". A question is answered by the next of replies,
// then by reply, by the text of its button; with neither, as Escape answers it.
class FakeSeatingView : public SeatingView
{
public:
    QStringList names = QStringList(NameBoxes, QString());
    QList<QStringList> items = QList<QStringList>(Desks);
    QList<int> selection = QList<int>(Desks, -1);
    int tab = 1;
    SeatingRules *rules = nullptr;
    QStringList replies;      // to the first questions, in turn
    QString reply;            // to every question after them
    QStringList log;          // message boxes, and what the test adds
    int unflaggedChanges = 0; // seat-change events that came with the update flag down

    QString nameText(int box) const override { return names.at(box); }
    void setNameText(int box, const QString &text) override { names[box] = text; }
    // Like a combo box, a new list leaves nothing selected until the desk's
    // selection is set.
    void setDeskItems(int desk, const QStringList &list) override
    {
        items[desk] = list;
        selection[desk] = -1;
    }
    int deskItemCount(int desk) const override { return int(items.at(desk).size()); }
    QString deskItem(int desk, int position) const override { return items.at(desk).at(position); }
    int deskSelection(int desk) const override { return selection.at(desk); }
    void setDeskSelection(int desk, int position) override;
    int selectedTab() const override { return tab; }
    void selectTab(int t) override { tab = t; }
    void setTabCaption(int, const QString &) override {}
    int ask(const Question &question) override;
};
