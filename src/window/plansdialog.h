// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printableclass.h"

#include <QDate>
#include <QDialog>
#include <QList>
#include <QStringList>

#include <array>

class PlanRoom;
class QListWidget;
class QPushButton;
struct Plan;

// "Disposizioni precedenti…": the plans a class was stored with, newest
// first, each shown as a small room and desk by desk; and, on a second tab,
// how many different desk-mates each pupil of the class has had in them, and
// who, fewest first. The dialog changes nothing: it tells its caller what the
// teacher chose, to put a plan back on screen or to empty the history.
class PlansDialog : public QDialog
{
    Q_OBJECT

public:
    struct Choice
    {
        enum class Action { Close, Restore, ClearHistory };
        Action action = Action::Close;
        int plan = -1; // for Restore: the plan's index in the list given, oldest first
    };

    // plans: the class's recorded plans, oldest first, which must outlive the
    // dialog; names: the name of each slot of the class now, empty where there
    // is no pupil; classTitle: the class as the teacher calls it.
    PlansDialog(const QList<Plan> &plans, const QStringList &names, const QString &classTitle,
                const QDate &today, QWidget *parent = nullptr);

    // Shows the dialog until the teacher chooses.
    static Choice choose(QWidget *parent, const QList<Plan> &plans, const QStringList &names,
                         const QString &classTitle, const QDate &today);

    Choice choice() const { return m_choice; }

private:
    QWidget *createPlansTab();
    QWidget *createMatesTab();
    // What a plan shows: the room, its pupils who have left the class since,
    // and its desks one line each.
    struct Shown
    {
        PrintableClass room;
        std::array<QString, DeskGrid::Desks> former;
        QStringList lines;
    };
    Shown shown(const Plan &plan) const;
    void showPlan();
    int deskListWidth() const;
    int shownPlan() const;
    bool inClass(int slot) const;
    QString occupant(const Plan &plan, int desk) const;
    QString formerName(const Plan &plan, int desk) const;
    QString lastName(int slot) const;
    void finish(Choice::Action action);

    const QList<Plan> &m_plans;
    QStringList m_names;
    QDate m_today;
    Choice m_choice;
    QListWidget *m_list = nullptr;
    PlanRoom *m_room = nullptr;
    QListWidget *m_desks = nullptr;
    QPushButton *m_restore = nullptr;
};
