// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "endsignals.h"

#include <QObject>

class SeatingSession;

// What the program does when the system, not the teacher, ends it. A signal
// (a shutdown, a kill, a closed terminal) keeps the unstored changes aside
// and writes the seating file as the close does, asking nothing, then ends the
// program, also from inside a question. The desktop session's end, which may
// still be cancelled, keeps and writes the same but leaves the program open.
// One per program, made before the session starts up.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    explicit SessionEnd(SeatingSession &session, QObject *parent = nullptr);

private:
    EndSignals m_signals;
};
