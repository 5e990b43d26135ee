// SPDX-License-Identifier: GPL-3.0-or-later
#include "deskselector.h"

#include "shortname.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QStylePainter>
#include <QWheelEvent>

#include <algorithm>
#include <optional>

namespace {

// Where a closed combo box would move the highlight on a navigation key: one
// step up or down (Page Up and Page Down too), or to either end, staying put
// at the edge of the list; nothing for any other key.
std::optional<int> stepTarget(int key, int current, int count)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        return current > 0 ? current - 1 : current;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        return std::min(current + 1, count - 1);
    case Qt::Key_Home:
        return count > 0 ? 0 : current;
    case Qt::Key_End:
        return count > 0 ? count - 1 : current;
    default:
        return std::nullopt;
    }
}

} // namespace

DeskSelector::DeskSelector(QWidget *parent)
    : QComboBox(parent)
{
    // Any change of the items may change what tells the current one apart.
    const auto forget = [this] {
        m_shown.reset();
    };
    connect(model(), &QAbstractItemModel::rowsInserted, this, forget);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, forget);
    connect(model(), &QAbstractItemModel::dataChanged, this, forget);
    connect(model(), &QAbstractItemModel::modelReset, this, forget);
    connect(model(), &QAbstractItemModel::layoutChanged, this, forget);
}

QString DeskSelector::shownText() const
{
    const QString text = currentText();
    const int width = textWidth();
    if (m_shown && m_shown->text == text && m_shown->width == width && m_shown->font == font())
        return m_shown->shown;
    // Measuring a name shapes it: it is measured once, in fitted().
    const auto others = [this] {
        QStringList items;
        for (int item = 0; item < count(); ++item)
            items << itemText(item);
        return items;
    };
    const QString shown = ShortName::fitted(text, others, fontMetrics(), width);
    m_shown = Shown{text, width, font(), shown};
    return shown;
}

QString DeskSelector::toolTipText() const
{
    const QString text = currentText();
    QStringList lines;
    if (shownText() != text)
        lines << text;
    if (!m_ruleNote.isEmpty())
        lines << m_ruleNote;
    return lines.join(u'\n');
}

// The width Qt's own label takes: the edit field, less a pixel either side.
int DeskSelector::textWidth() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()
               ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
               .width() -
           2;
}

void DeskSelector::setRuleNote(const QString &note)
{
    if (note == m_ruleNote)
        return;
    m_ruleNote = note;
    update();
    QAccessibleEvent description(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

bool DeskSelector::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip)
        setToolTip(toolTipText());
    return QComboBox::event(event);
}

void DeskSelector::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    option.currentText = shownText();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    if (!m_ruleNote.isEmpty()) {
        // Two pixels wide, as the focus frame is not: a broken rule is seen
        // at a glance, and not taken for the focus.
        static const QColor broken(0xd0, 0, 0);
        const QRect all = rect();
        constexpr int width = 2;
        painter.fillRect(all.left(), all.top(), all.width(), width, broken);
        painter.fillRect(all.left(), all.bottom() - width + 1, all.width(), width, broken);
        painter.fillRect(all.left(), all.top(), width, all.height(), broken);
        painter.fillRect(all.right() - width + 1, all.top(), width, all.height(), broken);
    }
}

void DeskSelector::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const QString text = event->text();
    if ((modifiers == Qt::AltModifier && (key == Qt::Key_Down || key == Qt::Key_Up)) ||
        (modifiers == Qt::NoModifier && (key == Qt::Key_F4 || key == Qt::Key_Space))) {
        openAt(currentIndex());
    } else if (const std::optional<int> target = modifiers == Qt::NoModifier
                                                     ? stepTarget(key, currentIndex(), count())
                                                     : std::nullopt) {
        openAt(*target);
    } else if ((modifiers & ~Qt::ShiftModifier) == Qt::NoModifier && !text.isEmpty() &&
               text.at(0).isPrint()) {
        // The same search a closed combo box runs, now only moving the highlight.
        openAt(currentIndex());
        view()->keyboardSearch(text);
    } else {
        // Everything else a combo box would act on (with Ctrl or Alt held,
        // for instance) belongs to the window, never to the desk.
        event->ignore();
    }
}

// A right click on a desk opens the room's menu, as anywhere in the room;
// QComboBox would take it and do nothing.
void DeskSelector::contextMenuEvent(QContextMenuEvent *event)
{
    event->ignore();
}

void DeskSelector::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

void DeskSelector::openAt(int row)
{
    showPopup();
    if (row >= 0)
        view()->setCurrentIndex(model()->index(row, modelColumn(), rootModelIndex()));
}
