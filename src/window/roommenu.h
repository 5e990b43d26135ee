// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

// The room's menu: every action of the window, in the order they were added
// and grouped by their separators, gathered afresh each time it opens, so an
// action added anywhere in the window is found here. Its entries show their
// one-line tooltips.
class RoomMenu : public QMenu
{
    Q_OBJECT

public:
    explicit RoomMenu(QWidget *window);

private:
    void gather();

    QWidget *m_window;
};
