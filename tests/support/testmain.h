// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// What a test executable needs around it, so that it runs the same on its own as through
// ctest or under Xvfb: the platform, when the environment names none, is the offscreen one
// with the screen the tests are laid out for (POSTI_TEST_OFFSCREEN, set by
// tests/CMakeLists.txt); the per-user data folder, where journals and recovery files land,
// is always a private one, removed at the end, so that a run never meets the user's own
// files nor those of a test running beside it.
class TestEnvironment
{
public:
    TestEnvironment()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", POSTI_TEST_OFFSCREEN);
        if (m_dataHome.isValid())
            qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
    }

private:
    QTemporaryDir m_dataHome{QDir::tempPath() + QStringLiteral("/posti-test-XXXXXX")};
};

// Instead of QTEST_MAIN: the environment above is in place before the application object
// reads it. The application is Qt Test's choice: a QApplication where Widgets is linked.
#define POSTI_TEST_MAIN(TestObject)                                                                \
    QTEST_MAIN_WRAPPER(TestObject, const TestEnvironment testEnvironment; QTEST_MAIN_SETUP())
