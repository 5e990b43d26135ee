// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class SeatingSession;
struct NamedRule;

// "Regole della classe…": the seating rules of the class on screen, each
// with whether the screen keeps it now; a rule added or removed is a step of
// the class's history. The pupils are chosen among the class's stored names,
// each with their number, since two pupils may share a name. When the rules
// cannot be changed in this session the dialog only shows them, and says why.
class RulesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RulesDialog(SeatingSession &session, QWidget *parent = nullptr);

private:
    QWidget *createList();
    QGroupBox *createNewRule();
    QComboBox *addRow(const QString &caption, const QString &name, QWidget *field = nullptr);
    void fillPupils(QComboBox *pupils);
    void showRules();
    void kindChanged();
    NamedRule chosenRule() const;
    void checkChosenRule();
    void addChosenRule();
    void removeSelectedRule();

    SeatingSession &m_session;
    bool m_frozen = false;
    QListWidget *m_list = nullptr;
    QPushButton *m_remove = nullptr;
    QFormLayout *m_form = nullptr;
    QComboBox *m_kind = nullptr;
    QComboBox *m_pupil = nullptr;
    QComboBox *m_other = nullptr;
    QSpinBox *m_rows = nullptr;
    QSpinBox *m_desk = nullptr;
    QLabel *m_hint = nullptr;
    QPushButton *m_add = nullptr;
};
