// SPDX-License-Identifier: GPL-3.0-or-later
#include "rulesdialog.h"

#include "deskseat.h"
#include "seatingsession.h"
#include "solvermessages.h"
#include "windowtexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using Kind = SeatingRule::Kind;

namespace {

// The kinds a teacher sets, in the order of their list: as SeatingRule::Kind
// numbers them.
constexpr int Kinds = 4;

QString storedName(const SeatingSession &session, int slot)
{
    return session.archivio().cell(Archivio::row(session.shownTab(), slot), Archivio::NameColumn);
}

bool sameRule(const SeatingRule &a, const SeatingRule &b)
{
    return a == b ||
           (a.kind == b.kind && a.hasTwoPupils() && a.pupil == b.value && a.value == b.pupil);
}

} // namespace

RulesDialog::RulesDialog(SeatingSession &session, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_frozen(!session.rulesFrozenReason().isEmpty())
{
    setObjectName(u"rulesDialog"_s);
    const QString className =
        storedName(session, Archivio::ClassNameSlot).trimmed(); // the slot past the pupils
    setWindowTitle(WindowTexts::rulesTitle(classTitle(className, session.shownTab())));
    auto *layout = new QVBoxLayout(this);
    if (m_frozen) {
        auto *why = new QLabel(session.rulesFrozenReason(), this);
        why->setObjectName(u"frozenReason"_s);
        why->setWordWrap(true);
        layout->addWidget(why);
    }
    layout->addWidget(createList());
    layout->addWidget(createNewRule());
    auto *buttons = new QDialogButtonBox(this);
    auto *close = buttons->addButton(WindowTexts::closeRules(), QDialogButtonBox::RejectRole);
    close->setAccessibleName(WindowTexts::withoutMnemonic(close->text()));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Wide enough for most rules on one line.
    setMinimumWidth(fontMetrics().averageCharWidth() * 72);
    showRules();
    kindChanged();
}

QWidget *RulesDialog::createList()
{
    auto *box = new QWidget(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins({});
    auto *label = new QLabel(WindowTexts::rulesList(), box);
    m_list = new QListWidget(box);
    m_list->setObjectName(u"rulesList"_s);
    m_list->setAccessibleName(WindowTexts::withoutMnemonic(label->text()));
    m_list->setWordWrap(true);
    label->setBuddy(m_list);
    m_remove = new QPushButton(WindowTexts::removeRule(), box);
    m_remove->setObjectName(u"removeRule"_s);
    m_remove->setAccessibleName(WindowTexts::withoutMnemonic(m_remove->text()));
    connect(m_remove, &QPushButton::clicked, this, &RulesDialog::removeSelectedRule);
    auto *remove =
        new QShortcut(QKeySequence::Delete, m_list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] {
        if (m_remove->isEnabled())
            removeSelectedRule();
    });
    connect(m_list, &QListWidget::currentRowChanged, this,
            [this](int row) { m_remove->setEnabled(!m_frozen && row >= 0); });
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(m_remove, 0, Qt::AlignLeft);
    return box;
}

QGroupBox *RulesDialog::createNewRule()
{
    auto *group = new QGroupBox(WindowTexts::newRule(), this);
    group->setEnabled(!m_frozen);
    m_form = new QFormLayout(group);
    m_kind = addRow(WindowTexts::ruleKind(), u"ruleKind"_s);
    for (int kind = 0; kind < Kinds; ++kind)
        m_kind->addItem(WindowTexts::ruleKinds(kind));
    m_pupil = addRow(WindowTexts::rulePupil(), u"rulePupil"_s);
    m_other = addRow(WindowTexts::ruleOtherPupil(), u"ruleOtherPupil"_s);
    fillPupils(m_pupil);
    fillPupils(m_other);
    m_other->setCurrentIndex(std::min(1, int(m_other->count()) - 1));
    m_rows = new QSpinBox(group);
    m_rows->setRange(1, SeatingRule::MaxRows);
    m_rows->setValue(SeatingRule::DefaultRows);
    addRow(WindowTexts::ruleRows(), u"ruleRows"_s, m_rows);
    m_desk = new QSpinBox(group);
    m_desk->setRange(1, Room::Desks);
    addRow(WindowTexts::ruleDesk(), u"ruleDesk"_s, m_desk);
    m_hint = new QLabel(group);
    m_hint->setObjectName(u"ruleHint"_s);
    m_hint->setWordWrap(true);
    m_form->addRow(m_hint);
    m_add = new QPushButton(WindowTexts::addRule(), group);
    m_add->setObjectName(u"addRule"_s);
    m_add->setAccessibleName(WindowTexts::withoutMnemonic(m_add->text()));
    m_add->setDefault(true);
    m_form->addRow(m_add);
    connect(m_add, &QPushButton::clicked, this, &RulesDialog::addChosenRule);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &RulesDialog::kindChanged);
    for (QComboBox *pupil : {m_pupil, m_other})
        connect(pupil, &QComboBox::currentIndexChanged, this, &RulesDialog::checkChosenRule);
    for (QSpinBox *number : {m_rows, m_desk})
        connect(number, &QSpinBox::valueChanged, this, &RulesDialog::checkChosenRule);
    return group;
}

// The field (a new choice list when none is given) under a caption that is
// also its accessible name.
QComboBox *RulesDialog::addRow(const QString &caption, const QString &name, QWidget *field)
{
    auto *choice = field ? nullptr : new QComboBox(this);
    if (choice)
        field = choice;
    field->setObjectName(name);
    field->setAccessibleName(WindowTexts::withoutMnemonic(caption));
    auto *label = new QLabel(caption, this);
    label->setBuddy(field);
    m_form->addRow(label, field);
    return choice;
}

void RulesDialog::fillPupils(QComboBox *pupils)
{
    for (int slot = 0; slot < Archivio::Pupils; ++slot) {
        const QString name = storedName(m_session, slot).trimmed();
        if (!name.isEmpty())
            pupils->addItem(WindowTexts::pupilChoice(name, slot + 1), slot);
    }
}

void RulesDialog::showRules()
{
    const int row = m_list->currentRow();
    m_list->clear();
    const QList<int> broken = m_session.brokenRules();
    const ClassRules &rules = m_session.classRules();
    for (int index = 0; index < rules.size(); ++index) {
        const NamedRule &named = rules[index];
        QStringList names(Archivio::Pupils);
        names[named.rule.pupil] = named.name;
        if (named.rule.hasTwoPupils())
            names[named.rule.value] = named.otherName;
        auto *item =
            new QListWidgetItem(WindowTexts::ruleState(SolverMessages::rule(named.rule, names),
                                                       !broken.contains(index)),
                                m_list);
        if (broken.contains(index))
            item->setForeground(QColor(0xd0, 0, 0));
    }
    m_list->setCurrentRow(std::min(std::max(row, 0), int(m_list->count()) - 1));
    m_remove->setEnabled(!m_frozen && m_list->currentRow() >= 0);
}

void RulesDialog::kindChanged()
{
    const auto kind = Kind(m_kind->currentIndex());
    m_form->setRowVisible(m_other, kind == Kind::Separati || kind == Kind::Compagni);
    m_form->setRowVisible(m_rows, kind == Kind::Davanti);
    m_form->setRowVisible(m_desk, kind == Kind::BancoFisso);
    checkChosenRule();
}

NamedRule RulesDialog::chosenRule() const
{
    NamedRule named;
    named.rule.kind = Kind(m_kind->currentIndex());
    named.rule.pupil = m_pupil->currentData().toInt();
    named.name = storedName(m_session, named.rule.pupil);
    switch (named.rule.kind) {
    case Kind::Davanti:
        named.rule.value = m_rows->value();
        break;
    case Kind::BancoFisso:
        named.rule.value = m_desk->value() - 1;
        break;
    default:
        named.rule.value = m_other->currentData().toInt();
        named.otherName = storedName(m_session, named.rule.value);
    }
    return named;
}

// Says why the rule chosen cannot be added, if it cannot.
void RulesDialog::checkChosenRule()
{
    QString why;
    const SeatingRule rule = chosenRule().rule;
    if (m_pupil->count() == 0) {
        why = WindowTexts::noStoredNames(
            WindowTexts::withoutMnemonic(SeatingSession::caption(SeatingSession::Step::Store)));
    } else if (rule.hasTwoPupils() && rule.pupil == rule.value) {
        why = WindowTexts::samePupilTwice();
    } else {
        for (const NamedRule &named : m_session.classRules()) {
            if (sameRule(named.rule, rule))
                why = WindowTexts::ruleThereAlready();
        }
    }
    m_hint->setText(why);
    m_hint->setVisible(!why.isEmpty());
    m_add->setEnabled(why.isEmpty());
}

void RulesDialog::addChosenRule()
{
    m_session.addRule(chosenRule());
    m_list->setCurrentRow(-1);
    showRules();
    m_list->setCurrentRow(m_list->count() - 1);
    checkChosenRule();
}

void RulesDialog::removeSelectedRule()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_session.removeRule(row);
    showRules();
    checkChosenRule();
}
