// SPDX-License-Identifier: GPL-3.0-or-later
#include "enterpressesbutton.h"

#include <QAbstractButton>
#include <QKeyEvent>

bool EnterPressesButton::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    auto *button = qobject_cast<QAbstractButton *>(watched);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!button || !enter || (key->modifiers() & ~Qt::KeypadModifier))
        return false;
    // A held key would store or fill again and again.
    if (!key->isAutoRepeat())
        button->click();
    return true;
}
