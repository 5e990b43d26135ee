// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QEvent>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include "formlayout.h"

#include <cstdio>

// The steps both start-up benchmarks share, so that the real window and the
// empty one are timed doing exactly the same thing: show the window, run the
// event loop until its first frame is painted, close it and quit.
namespace FirstFrame {

// The size of the program's window; posti_startup checks that it still is.
inline QSize windowSize()
{
    return FormLayout::clientSize();
}

// Both processes run headless unless told otherwise.
inline void useOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Closes the window once its first paint event has been handled. The close is
// queued: the paint of the top-level widget comes first in a frame, and the
// children and the flush to the screen follow in the same sync, before any
// queued call runs.
class CloseAfterPaint : public QObject
{
public:
    explicit CloseAfterPaint(QWidget &window)
        : m_window(window)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(&m_window, &QWidget::close, Qt::QueuedConnection);
        }
        return false;
    }

    bool painted() const { return m_painted; }

private:
    QWidget &m_window;
    bool m_painted = false;
};

// Shows the window, waits for its first frame, closes it (which runs its
// close reaction) and returns the exit code of the process.
inline int showPaintAndClose(QWidget &window)
{
    CloseAfterPaint closer(window);
    window.installEventFilter(&closer);
    QApplication::setQuitOnLastWindowClosed(true);
    // A window that never paints must not hang the benchmark.
    QTimer::singleShot(10000, qApp, [] {
        std::fprintf(stderr, "no frame within 10 s\n");
        QCoreApplication::exit(1);
    });
    window.show();
    const int code = QApplication::exec();
    return closer.painted() ? code : 1;
}

} // namespace FirstFrame
