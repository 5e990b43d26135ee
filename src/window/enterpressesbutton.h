// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Lets Enter and Return press the buttons it watches, as Space does. Outside a
// dialog Qt leaves them to the window, and a teacher at the keyboard expects
// Enter on "Memorizza" to store.
class EnterPressesButton : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
