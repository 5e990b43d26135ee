// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form2.h"
#include "messageboxanswerer.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QTest>

#include <memory>

// Writes the seating file (nothing written: the file already there, or none),
// then starts the window on it and shows it; none if the file was not written
// or the start-up showed a message (a file read wrong must not block a test).
inline std::unique_ptr<Form2> startWindow(const QString &path, const QByteArray &file)
{
    QFile out(path);
    if (!file.isEmpty() &&
        !(out.open(QIODevice::WriteOnly) && out.write(file) == file.size() && out.flush()))
        return nullptr;
    auto window = std::make_unique<Form2>(path);
    MessageBoxAnswerer unexpected(QStringList{});
    window->startUp();
    if (unexpected.count() != 0)
        return nullptr;
    window->show();
    return window;
}

// Closes the window, if any, as the teacher does, answering No to the
// question about unstored changes, so that a failed test leaves no journal
// for the next one to offer.
inline void closeWindow(std::unique_ptr<Form2> &window)
{
    MessageBoxAnswerer no(QStringLiteral("No"));
    if (window)
        window->close();
    window.reset();
}

// Opens the desk's list and clicks the item at position, as a user does.
inline void pickFromList(QComboBox *desk, int position)
{
    desk->showPopup();
    QAbstractItemView *list = desk->view();
    const QModelIndex item = list->model()->index(position, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    QTRY_VERIFY(!list->isVisible());
}
