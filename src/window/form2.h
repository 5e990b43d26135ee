// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"
#include "classhistory.h"
#include "printableclass.h"
#include "seatingfilekeeper.h"
#include "seatingrules.h"
#include "seatingview.h"

#include <QKeySequence>
#include <QList>
#include <QWidget>

#include <array>

class ClassTabs;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class NameBox;
class QPushButton;

// The program's one window. It owns the class table and shows one class at a
// time: a tab strip picks the class, 31 name boxes hold its pupils and its
// name, 30 desk selectors its seating. It implements the view the seating
// logic works through, reads the seating file when it starts and writes it
// back when it closes.
class Form2 : public QWidget, public SeatingView
{
    Q_OBJECT

public:
    explicit Form2(const QString &seatingFilePath, QWidget *parent = nullptr);
    ~Form2() override;

    // Loads the seating file and shows class 1, telling the teacher
    // locationNotice first when there is one. Runs once, before the window is shown.
    void startUp(const QString &locationNotice = QString());

    const Archivio &archivio() const { return m_archivio; }
    SeatingRules &rules() { return m_rules; }

    // The class as the screen shows it now, stored or not, ready to print.
    PrintableClass printableClass() const;

    QString nameText(int box) const override;
    void setNameText(int box, const QString &text) override;
    void clearDesk(int desk) override;
    void appendDeskItem(int desk, const QString &item) override;
    int deskItemCount(int desk) const override;
    QString deskItem(int desk, int position) const override;
    int deskSelection(int desk) const override;
    void setDeskSelection(int desk, int position) override;
    int selectedTab() const override;
    void setTabCaption(int tab, const QString &caption) override;
    Answer messageBox(const QString &text, const QString &title, Buttons buttons) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createTabStrip();
    void createDesks();
    void createButtons();
    void createNamesFrame();
    void setUpKeyboard();
    void addClassShortcut(const QList<QKeySequence> &keys, int step);
    void connectReactions();
    void runStep(QPushButton *button, void (SeatingRules::*reaction)());
    void createUndo();
    void createPrinting();
    void createOpenFolder();
    void showSelectedClass();
    void tabChanged();
    bool hasUnstoredChanges() const;
    void offerStore();
    void markUnstored();
    void seatChanged(int desk);
    void shutDown();

    QString m_seatingFilePath;
    Archivio m_archivio;
    SeatingRules m_rules{*this, m_archivio};
    SeatingFileKeeper m_keeper{m_seatingFilePath, *this};
    ClassHistory m_history{*this, m_rules, m_archivio};
    bool m_shutDown = false;
    int m_shownTab = 1; // whose class the screen shows, also while the tab strip turns

    ClassTabs *m_tabStrip = nullptr;
    QGroupBox *m_namesFrame = nullptr;
    std::array<NameBox *, NameBoxes> m_nameBoxes{};
    std::array<QLabel *, Archivio::Pupils> m_nameLabels{};
    std::array<QComboBox *, Desks> m_desks{};
    QPushButton *m_storeButton = nullptr;
    QPushButton *m_fillButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_deleteNamesButton = nullptr;
    QAction *m_printAction = nullptr;
};
