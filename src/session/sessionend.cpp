// SPDX-License-Identifier: GPL-3.0-or-later
#include "sessionend.h"

#include "seatingsession.h"

#include <QGuiApplication>

SessionEnd::SessionEnd(SeatingSession &session, QObject *parent)
    : QObject(parent)
{
    // Leaving every event loop, a question's included; the main one may not
    // run yet, so the program's start checks hasEnded() too.
    connect(&m_signals, &EndSignals::arrived, this, [&session] {
        session.endNow();
        QCoreApplication::exit(0);
    });
    if (qGuiApp) {
        connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
                [&session] { session.keepForSessionEnd(); });
    }
}
