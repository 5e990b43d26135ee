// SPDX-License-Identifier: GPL-3.0-or-later
#include "deskaccessibility.h"

#include "deskseat.h"
#include "deskselector.h"
#include "windowtexts.h"

#include <QAccessibleWidget>
#include <QComboBox>

namespace {

const char *const DeskNumber = "deskNumber";

class DeskInterface : public QAccessibleWidget
{
public:
    explicit DeskInterface(QComboBox *desk)
        : QAccessibleWidget(desk, QAccessible::ComboBox)
    {}

    QString text(QAccessible::Text type) const override
    {
        switch (type) {
        case QAccessible::Name:
            return WindowTexts::desk(desk()->property(DeskNumber).toInt());
        case QAccessible::Value:
            return DeskAccessibility::occupant(desk());
        case QAccessible::Description:
            return DeskAccessibility::description(desk());
        default:
            return QAccessibleWidget::text(type);
        }
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction())
            desk()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox *desk() const { return static_cast<QComboBox *>(widget()); }
};

// Asked for every object's interface, once per class up its hierarchy.
QAccessibleInterface *deskFactory(const QString &, QObject *object)
{
    auto *desk = qobject_cast<QComboBox *>(object);
    if (desk && desk->property(DeskNumber).isValid())
        return new DeskInterface(desk);
    return nullptr;
}

void announce(QComboBox *desk)
{
    QAccessibleValueChangeEvent value(desk, DeskAccessibility::occupant(desk));
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent description(desk, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

} // namespace

void DeskAccessibility::attach(QComboBox *desk, int number)
{
    static const bool installed = [] {
        QAccessible::installFactory(deskFactory);
        return true;
    }();
    Q_UNUSED(installed);
    desk->setProperty(DeskNumber, number);
    desk->setAccessibleName(WindowTexts::desk(number));
    QObject::connect(desk, &QComboBox::currentIndexChanged, desk, [desk] { announce(desk); });
    QObject::connect(desk, &QComboBox::currentTextChanged, desk, [desk] { announce(desk); });
}

QString DeskAccessibility::occupant(const QComboBox *desk)
{
    return DeskSeat::fromSelector(desk->currentIndex(), desk->currentText()).inWords();
}

QString DeskAccessibility::description(const QComboBox *desk)
{
    const auto *selector = qobject_cast<const DeskSelector *>(desk);
    const QString note = selector ? selector->ruleNote() : QString();
    return note.isEmpty() ? occupant(desk) : WindowTexts::deskWithNote(occupant(desk), note);
}
