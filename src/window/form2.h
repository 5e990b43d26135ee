// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printableclass.h"
#include "seatingsession.h"
#include "seatingview.h"

#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>

class ClassTabs;
class HelpWindow;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class NameBox;
class QPushButton;
class QToolButton;
class RoomMenu;

// The program's one window. It shows one class at a time: a tab strip picks
// the class, 31 name boxes hold its pupils and its name, 30 desk selectors its
// seating. It builds the controls, implements the view the seating logic works
// through and hands what the teacher does to the session, which owns the class
// table and decides what each action does.
class Form2 : public QWidget, public SeatingView
{
    Q_OBJECT

public:
    explicit Form2(const QString &seatingFilePath, QWidget *parent = nullptr);
    ~Form2() override;

    // Loads the seating file and shows class 1, telling the teacher
    // locationNotice first when there is one. Runs once, before the window is shown.
    void startUp(const QString &locationNotice = QString());

    const Archivio &archivio() const { return m_session.archivio(); }
    SeatingRules &rules() { return m_session.rules(); }
    SeatingSession &session() { return m_session; }

    // The class as the screen shows it now, stored or not, ready to print.
    PrintableClass printableClass() const;

    QString nameText(int box) const override;
    void setNameText(int box, const QString &text) override;
    void setDeskItems(int desk, const QStringList &items) override;
    int deskItemCount(int desk) const override;
    QString deskItem(int desk, int position) const override;
    QStringList deskItems(int desk) const override { return m_deskItems[size_t(desk)]; }
    int deskSelection(int desk) const override;
    void setDeskSelection(int desk, int position) override;
    int selectedTab() const override;
    void selectTab(int tab) override;
    void setTabCaption(int tab, const QString &caption) override;
    int ask(const Question &question) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void createTabStrip();
    void createDesks();
    void createButtons();
    void createRoomFront();
    void createNamesFrame();
    void setUpKeyboard();
    void addClassShortcut(const QList<QKeySequence> &keys, int step);
    void connectReactions();
    void createUndo();
    void createStoring();
    void createPrinting();
    void createLeaveFree();
    void createReseat();
    void createPlans();
    void showPlans();
    void createRules();
    void createOpenFolder();
    void openFolder();
    void createHelpAndClosing();
    void createMenu();
    void tabChanged();
    void markUnstored(bool unstored);
    void showReadOnly(const QString &reason);
    void showBrokenRules();

    QString m_seatingFilePath;
    SeatingSession m_session{m_seatingFilePath, *this};

    ClassTabs *m_tabStrip = nullptr;
    QGroupBox *m_namesFrame = nullptr;
    std::array<NameBox *, NameBoxes> m_nameBoxes{};
    std::array<QLabel *, Archivio::Pupils> m_nameLabels{};
    std::array<QComboBox *, Desks> m_desks{};
    // Each desk's list as it was given, which the desk shows: read here
    // rather than item by item from the desk, as the lists change only
    // through setDeskItems().
    std::array<QStringList, Desks> m_deskItems;
    QPushButton *m_storeButton = nullptr;
    QPushButton *m_fillButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_deleteNamesButton = nullptr;
    QAction *m_printAction = nullptr;
    QAction *m_openFolderAction = nullptr;
    RoomMenu *m_roomMenu = nullptr;
    QToolButton *m_menuButton = nullptr;
    QPointer<HelpWindow> m_helpWindow;
};
