// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fakeview.h"
#include "keptfiles.h"
#include "seatingsession.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// What the session tests drive: a session on "Posti.bq" in a folder of the
// test's own, shown through the fake view, and the teacher's typing and picks
// as the window reports them.
class SessionDriver : public QObject
{
protected:
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("Posti.bq"));
    std::unique_ptr<FakeSeatingView> m_view;
    std::unique_ptr<SeatingSession> m_session;

    // Starts a session on the file (none: the file left), with these answers
    // to its questions.
    void start(const QByteArray &file, const QStringList &replies = {})
    {
        m_session.reset();
        if (!file.isEmpty())
            QVERIFY(KeptFiles::writeAll(m_path, file));
        m_view = std::make_unique<FakeSeatingView>();
        m_view->replies = replies;
        m_session = std::make_unique<SeatingSession>(m_path, *m_view);
        m_view->rules = &m_session->rules();
        m_session->startUp();
    }
    // Typing in a name box.
    void type(int box, const QString &text)
    {
        m_view->names[box] = text;
        m_session->nameEdited(box, text);
        m_session->screenChanged();
    }
    // A pick from the desk's open list.
    void pick(int desk, int position)
    {
        m_view->selection[desk] = position;
        m_session->screenChanged();
        m_session->deskPicked(desk);
    }
};
