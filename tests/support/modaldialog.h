// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

// Runs work on the next modal dialog, once it is active and holds the focus
// (keys go to the focus), while open() opens it and runs its event loop. A
// dialog still open after work is rejected, so that a failed test still
// ends. Answers whether the dialog came and took the focus.
inline bool withModalDialog(const std::function<void()> &open,
                            const std::function<void(QDialog *)> &work)
{
    bool focused = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        // Stopped before waiting, which would let the poll run this again
        // inside the wait.
        poll.stop();
        focused = QTest::qWaitFor([dialog] {
            return dialog->isActiveWindow() && dialog->isAncestorOf(QApplication::focusWidget());
        });
        if (focused)
            work(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll.start(10);
    open();
    return focused;
}
