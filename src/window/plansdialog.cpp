// SPDX-License-Identifier: GPL-3.0-or-later
#include "plansdialog.h"

#include "historymessages.h"
#include "plan.h"
#include "planroom.h"
#include "viewtexts.h"
#include "windowtexts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int PlanRole = Qt::UserRole;

// A caption above its control, which the caption's mnemonic reaches and which
// takes the caption's words as its accessible name.
QWidget *captioned(const QString &caption, QWidget *control, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins({});
    auto *label = new QLabel(caption, box);
    label->setBuddy(control);
    control->setAccessibleName(WindowTexts::withoutMnemonic(caption));
    layout->addWidget(label);
    layout->addWidget(control, 1);
    return box;
}

QPushButton *namedButton(const QString &caption, const QString &tip, const QString &name)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAccessibleName(WindowTexts::withoutMnemonic(caption));
    button->setToolTip(tip);
    button->setAccessibleDescription(tip);
    return button;
}

} // namespace

PlansDialog::PlansDialog(const QList<Plan> &plans, const QStringList &names,
                         const QString &classTitle, const QDate &today, QWidget *parent)
    : QDialog(parent)
    , m_plans(plans)
    , m_names(names)
    , m_today(today)
{
    setObjectName(u"plansDialog"_s);
    setWindowTitle(WindowTexts::plansTitle(classTitle));
    for (QString &name : m_names)
        name = name.trimmed();
    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(u"plansTabs"_s);
    tabs->addTab(createPlansTab(), WindowTexts::plansTab());
    tabs->addTab(createMatesTab(), WindowTexts::matesTab());
    layout->addWidget(tabs);
    auto *buttons = new QDialogButtonBox(this);
    auto *clear =
        namedButton(WindowTexts::clearHistory(), WindowTexts::clearHistoryTip(), u"clearHistory"_s);
    clear->setEnabled(!m_plans.isEmpty());
    buttons->addButton(clear, QDialogButtonBox::ResetRole);
    auto *close = buttons->addButton(WindowTexts::closePlans(), QDialogButtonBox::RejectRole);
    close->setAccessibleName(WindowTexts::withoutMnemonic(close->text()));
    close->setAccessibleDescription(WindowTexts::closePlansDescription());
    connect(clear, &QPushButton::clicked, this, [this] { finish(Choice::Action::ClearHistory); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    m_list->setFocus();
    // Qt opens a window at two thirds of the screen at most; the small room
    // is easier to read as large as the screen allows.
    const QSize screenRoom = screen()->availableSize() * 9 / 10;
    resize(sizeHint().boundedTo(screenRoom).expandedTo(minimumSizeHint()));
}

PlansDialog::Choice PlansDialog::choose(QWidget *parent, const QList<Plan> &plans,
                                        const QStringList &names, const QString &classTitle,
                                        const QDate &today)
{
    PlansDialog dialog(plans, names, classTitle, today, parent);
    dialog.exec();
    return dialog.choice();
}

QWidget *PlansDialog::createPlansTab()
{
    auto *tab = new QWidget(this);
    auto *layout = new QHBoxLayout(tab);
    m_list = new QListWidget(tab);
    m_list->setObjectName(u"plansList"_s);
    m_list->setAccessibleDescription(WindowTexts::plansListDescription());
    for (int plan = int(m_plans.size()) - 1; plan >= 0; --plan) {
        auto *item = new QListWidgetItem(HistoryMessages::date(m_plans[plan].date, m_today));
        item->setData(PlanRole, plan);
        m_list->addItem(item);
    }
    if (m_plans.isEmpty()) {
        auto *none = new QListWidgetItem(WindowTexts::noPlans(), m_list);
        none->setFlags(Qt::ItemIsEnabled);
        m_list->setWordWrap(true);
    }
    m_restore =
        namedButton(WindowTexts::restorePlan(), WindowTexts::restorePlanTip(), u"restorePlan"_s);
    // Enter in the list puts the plan chosen back: a step the teacher can undo.
    m_restore->setDefault(true);
    connect(m_restore, &QPushButton::clicked, this, [this] { finish(Choice::Action::Restore); });
    auto *left = new QVBoxLayout;
    QWidget *dates = captioned(WindowTexts::plansList(), m_list, tab);
    // As wide as its caption, or as the longest date, "30 settembre 2026".
    m_list->setFixedWidth(std::max(m_list->fontMetrics().averageCharWidth() * 22,
                                   dates->findChild<QLabel *>()->sizeHint().width()));
    left->addWidget(dates, 1);
    left->addWidget(m_restore);
    layout->addLayout(left);

    m_room = new PlanRoom(tab);
    m_room->setObjectName(u"planRoom"_s);
    m_room->setAccessibleName(WindowTexts::planRoom());
    layout->addWidget(m_room, 1);
    m_desks = new QListWidget(tab);
    m_desks->setObjectName(u"deskList"_s);
    m_desks->setAccessibleDescription(WindowTexts::deskListDescription());
    m_desks->setFixedWidth(deskListWidth());
    layout->addWidget(captioned(WindowTexts::deskList(), m_desks, tab));
    connect(m_list, &QListWidget::currentRowChanged, this, &PlansDialog::showPlan);
    m_list->setCurrentRow(0);
    showPlan();
    return tab;
}

QWidget *PlansDialog::createMatesTab()
{
    auto *tab = new QWidget(this);
    auto *layout = new QVBoxLayout(tab);
    auto *intro = new QLabel(WindowTexts::matesIntro(int(m_plans.size())), tab);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto *table = new QTableWidget(0, 3, tab);
    table->setObjectName(u"matesTable"_s);
    table->setAccessibleName(WindowTexts::matesTable());
    table->setAccessibleDescription(intro->text());
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(true);
    // Tab leaves the table, as it leaves every list of the dialog.
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < 3; ++column)
        table->setHorizontalHeaderItem(column,
                                       new QTableWidgetItem(WindowTexts::matesHeader(column)));

    const DeskMates mates = deskMatesIn(m_plans);
    QList<int> pupils;
    for (int slot = 0; slot < Room::Desks; ++slot) {
        if (inClass(slot))
            pupils.append(slot);
    }
    // Who sat with fewest classmates first; the class's own order among equals.
    std::stable_sort(pupils.begin(), pupils.end(), [&](int a, int b) {
        return qPopulationCount(mates[a]) < qPopulationCount(mates[b]);
    });
    for (int slot : pupils) {
        QStringList who;
        for (int other = 0; other < Room::Desks; ++other) {
            if (mates[slot] & Room::bit(other))
                who << (inClass(other) ? m_names[other]
                                       : WindowTexts::formerPupil(lastName(other)));
        }
        const int row = table->rowCount();
        table->insertRow(row);
        auto *count = new QTableWidgetItem(QString::number(who.size()));
        count->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, 0, new QTableWidgetItem(m_names[slot]));
        table->setItem(row, 1, count);
        table->setItem(
            row, 2,
            new QTableWidgetItem(who.isEmpty() ? WindowTexts::noMates() : who.join(u", "_s)));
    }
    // The names wrap in their column, which takes the width the others leave.
    table->resizeColumnToContents(0);
    table->resizeColumnToContents(1);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setCurrentCell(0, 0);
    layout->addWidget(table, 1);
    return tab;
}

// The plan of the row chosen, or -1 when the history is empty.
int PlansDialog::shownPlan() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item && item->data(PlanRole).isValid() ? item->data(PlanRole).toInt() : -1;
}

PlansDialog::Shown PlansDialog::shown(const Plan &plan) const
{
    Shown shown;
    for (int desk = 0; desk < Room::Desks; ++desk) {
        DeskSeat &seat = shown.room.desks[size_t(desk)];
        QString &former = shown.former[size_t(desk)];
        seat.unused = plan.marked & Room::bit(desk);
        former = formerName(plan, desk);
        if (former.isEmpty() && plan.pupilAt[desk] != Plan::Blank)
            seat.pupil = occupant(plan, desk);
        shown.lines << WindowTexts::deskLine(desk + 1, Room::row(desk) + 1,
                                             former.isEmpty() ? seat.inWords()
                                                              : WindowTexts::formerPupil(former));
    }
    return shown;
}

void PlansDialog::showPlan()
{
    const int index = shownPlan();
    m_restore->setEnabled(index >= 0);
    m_desks->clear();
    if (index < 0) {
        m_room->setPlan({}, {});
        m_room->setAccessibleDescription({});
        return;
    }
    const Plan &plan = m_plans[index];
    const Shown desks = shown(plan);
    m_room->setPlan(desks.room, desks.former);
    m_room->setAccessibleDescription(
        WindowTexts::planRoomDescription(HistoryMessages::date(plan.date, m_today)));
    m_desks->addItems(desks.lines);
    m_desks->setCurrentRow(0);
}

// Wide enough for the longest line of every plan, up to a long name's.
int PlansDialog::deskListWidth() const
{
    const QFontMetrics metrics = m_desks->fontMetrics();
    int widest = metrics.averageCharWidth() * 30;
    for (const Plan &plan : m_plans) {
        for (const QString &line : shown(plan).lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return std::min(widest, metrics.averageCharWidth() * 60) +
           m_desks->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4 * m_desks->frameWidth() +
           metrics.averageCharWidth() * 2;
}

bool PlansDialog::inClass(int slot) const
{
    return !m_names.value(slot).isEmpty();
}

// The pupil at the desk by the name the plan was recorded with, or by the
// class's now when it kept none.
QString PlansDialog::occupant(const Plan &plan, int desk) const
{
    const QString name = plan.nameAt[desk].trimmed();
    return name.isEmpty() ? m_names.value(plan.pupilAt[desk]) : name;
}

// The name of a pupil who sat at the desk and has left the class since.
QString PlansDialog::formerName(const Plan &plan, int desk) const
{
    const int pupil = plan.pupilAt[desk];
    if (pupil == Plan::Blank || !inClass(pupil))
        return plan.nameAt[desk].trimmed();
    return {};
}

// The name a pupil no longer in the class last sat under.
QString PlansDialog::lastName(int slot) const
{
    for (auto plan = m_plans.crbegin(); plan != m_plans.crend(); ++plan) {
        for (int desk = 0; desk < Room::Desks; ++desk) {
            if (plan->pupilAt[desk] == slot && !plan->nameAt[desk].trimmed().isEmpty())
                return plan->nameAt[desk].trimmed();
        }
    }
    return {};
}

void PlansDialog::finish(Choice::Action action)
{
    m_choice.action = action;
    m_choice.plan = action == Choice::Action::Restore ? shownPlan() : -1;
    accept();
}
