// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form2.h"
#include "messageboxanswerer.h"
#include "seatingfilebuilder.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

// The real window driven as a teacher drives it: its controls by name,
// clicks, picks, the room's menu, and the file written at close.

inline QLineEdit *nameBox(const QWidget *window, int box)
{
    return window->findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(box));
}

inline QPushButton *button(const QWidget *window, const QString &name)
{
    return window->findChild<QPushButton *>(name);
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

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The window on a seating file "Posti.bq" in a folder of its own. Closed, as
// the teacher closes it, when the driver goes, declining to store what the
// screen holds, so that no journal of a failed test is offered to the next.
class TestWindow
{
public:
    ~TestWindow() { close(); }

    Form2 *operator->() const { return m_window.get(); }
    Form2 *get() const { return m_window.get(); }
    const QString &path() const { return m_path; }
    // A file kept beside the seating file: "Posti-regole.txt", "Posti-cronologia.txt".
    QString besideFile(const QString &name) const { return m_dir.filePath(name); }

    // Writes file (none: keeps the file there), starts the window on it and
    // shows and activates it. False if the file was not written, or if the
    // start-up showed a message, unless answerer was given to answer it.
    bool open(const QByteArray &file = {}, MessageBoxAnswerer *answerer = nullptr)
    {
        m_window.reset(); // its lock on the file goes with it
        if (!file.isEmpty()) {
            QFile out(m_path);
            if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size() || !out.flush())
                return false;
        }
        m_window = std::make_unique<Form2>(m_path);
        std::optional<MessageBoxAnswerer> unexpected;
        if (!answerer)
            unexpected.emplace(QStringList{});
        m_window->startUp();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        return (!unexpected || unexpected->count() == 0) &&
               QTest::qWaitForWindowActive(m_window.get());
    }

    // Closes the window as the teacher does, answering the question about
    // unstored changes, and reads the file it wrote.
    QByteArray close(const QString &answer = QStringLiteral("No"))
    {
        if (m_window) {
            MessageBoxAnswerer answerer(answer);
            m_window->close();
            m_window.reset();
        }
        return readFile(m_path);
    }

    // The offscreen platform leaves no window active when a dialog or a menu
    // closes, and the window's shortcuts then take no key.
    void activateIfNone() const
    {
        if (!QApplication::activeWindow())
            QApplication::setActiveWindow(m_window.get());
    }

    // Ends the run without closing the window, as a crash would.
    void crash() { m_window.reset(); }

    template <typename T = QWidget> T *control(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    QLineEdit *box(int i) const { return nameBox(get(), i); }
    QComboBox *desk(int i) const { return control<QComboBox>(QStringLiteral("Combo1(%1)").arg(i)); }
    QTabWidget *tabs() const { return control<QTabWidget>(QStringLiteral("TabStrip1")); }
    void click(const QString &name) const
    {
        QTest::mouseClick(button(get(), name), Qt::LeftButton);
    }
    void clickTab(int tab) const
    {
        QTabBar *bar = tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab - 1).center());
    }
    void pick(int desk, int position) const { pickFromList(this->desk(desk), position); }
    QAction *action(const QString &name) const
    {
        for (QAction *action : m_window->actions()) {
            if (action->objectName() == name)
                return action;
        }
        return nullptr;
    }

    QStringList names() const
    {
        QStringList names;
        for (int i = 0; i < SeatingView::NameBoxes; ++i)
            names << box(i)->text();
        return names;
    }
    QList<int> seating() const
    {
        QList<int> seating;
        for (int i = 0; i < SeatingView::Desks; ++i)
            seating << desk(i)->currentIndex();
        return seating;
    }

    // Right-clicks the empty room, left of the desks, and returns the texts
    // of its menu's entries, "" for a separator; picks the entry at pick, if
    // any, or closes the menu.
    QStringList roomMenu(int pick = -1) const
    {
        QStringList texts;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            poll.stop();
            for (QAction *action : menu->actions())
                texts << action->text();
            if (pick < 0) {
                menu->close();
                return;
            }
            menu->setActiveAction(menu->actions().value(pick));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        poll.start(10);
        QWidget *room = tabs()->currentWidget();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                room->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(room, &event);
        return texts; // the menu ran its own event loop
    }

private:
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("Posti.bq"));
    std::unique_ptr<Form2> m_window;
};
