// SPDX-License-Identifier: GPL-3.0-or-later
#include "classtabs.h"

#include <QEvent>
#include <QHash>
#include <QTabBar>

using namespace Qt::StringLiterals;

namespace {

class MarkableTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;

    int marked = -1;

protected:
    // An unmarked tab is as wide as it would be with the mark.
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (index != marked)
            size.rwidth() += markWidth(tabText(index));
        return size;
    }

    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            m_markWidths.clear();
        QTabBar::changeEvent(event);
    }

private:
    // What the mark adds to text, measured as QTabBar measures a caption. Qt
    // asks for every tab's size whenever one changes: measured once a caption.
    int markWidth(const QString &text) const
    {
        if (const auto known = m_markWidths.constFind(text); known != m_markWidths.cend())
            return *known;
        const auto width = [this](const QString &caption) {
            return fontMetrics().size(Qt::TextShowMnemonic, caption).width();
        };
        return m_markWidths[text] = width(text + ClassTabs::mark()) - width(text);
    }

    mutable QHash<QString, int> m_markWidths;
};

MarkableTabBar *markableBar(const QTabWidget *tabs)
{
    return static_cast<MarkableTabBar *>(tabs->tabBar());
}

} // namespace

ClassTabs::ClassTabs(QWidget *parent)
    : QTabWidget(parent)
{
    setTabBar(new MarkableTabBar(this));
}

void ClassTabs::setCaption(int index, const QString &caption)
{
    setTabText(index, index == markedTab() ? caption + mark() : caption);
}

void ClassTabs::markTab(int index)
{
    MarkableTabBar *bar = markableBar(this);
    const int previous = bar->marked;
    if (index == previous)
        return;
    // Set first, so that the tabs are laid out for the new mark.
    bar->marked = index;
    if (previous >= 0)
        setTabText(previous, tabText(previous).chopped(mark().size()));
    if (index >= 0)
        setTabText(index, tabText(index) + mark());
}

int ClassTabs::markedTab() const
{
    return markableBar(this)->marked;
}

QString ClassTabs::mark()
{
    return u" *"_s;
}
