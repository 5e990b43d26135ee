// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Tells, from the event loop, that the system asks the program to end: on
// Unix SIGTERM (a shutdown, a kill), SIGINT (Ctrl+C in its terminal) or SIGHUP
// (its terminal closed); a signal the program was started ignoring stays
// ignored. Also while a modal box runs its own event loop. One per program:
// the signals are the process's. A Windows program without a console is ended
// through the desktop session's end instead, so there it never tells.
class EndSignals : public QObject
{
    Q_OBJECT

public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

signals:
    void arrived();

private:
    QSocketNotifier *m_notifier = nullptr;
};
