// SPDX-License-Identifier: GPL-3.0-or-later
#include "roommenu.h"

#include "windowtexts.h"

RoomMenu::RoomMenu(QWidget *window)
    : QMenu(WindowTexts::menu(), window)
    , m_window(window)
{
    setObjectName(QStringLiteral("roomMenu"));
    setToolTipsVisible(true);
    gather();
    connect(this, &QMenu::aboutToShow, this, &RoomMenu::gather);
}

void RoomMenu::gather()
{
    // The actions belong to the window; clear() leaves them be.
    clear();
    addActions(m_window->actions());
}
