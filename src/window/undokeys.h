// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeyEvent>
#include <QKeySequence>
#include <QList>

// The keys that undo and redo, the same in the name boxes and in the window,
// whatever the platform's own bindings are.
namespace UndoKeys {

inline QList<QKeySequence> undo()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
}

inline QList<QKeySequence> redo()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
}

inline bool matches(const QKeyEvent *event, const QList<QKeySequence> &keys)
{
    return keys.contains(QKeySequence(event->keyCombination()));
}

} // namespace UndoKeys
