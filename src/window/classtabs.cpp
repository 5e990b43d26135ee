#include "classtabs.h"

#include <QTabBar>

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
            size.rwidth() += fontMetrics().horizontalAdvance(ClassTabs::mark());
        return size;
    }
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
    if (index == bar->marked)
        return;
    if (bar->marked >= 0)
        setTabText(bar->marked, tabText(bar->marked).chopped(mark().size()));
    bar->marked = index;
    if (index >= 0)
        setTabText(index, tabText(index) + mark());
}

int ClassTabs::markedTab() const
{
    return markableBar(this)->marked;
}

QString ClassTabs::mark()
{
    return QStringLiteral(" *");
}
