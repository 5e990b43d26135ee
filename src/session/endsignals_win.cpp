// SPDX-License-Identifier: GPL-3.0-or-later
// A Windows program without a console gets no ending signal: a log-off or a
// shutdown reaches it as the desktop session's end (commitDataRequest).
#include "endsignals.h"

EndSignals::EndSignals(QObject *parent)
    : QObject(parent)
{}

EndSignals::~EndSignals() = default;
