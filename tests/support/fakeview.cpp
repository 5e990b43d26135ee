#include "fakeview.h"

#include <utility>

QString FakeSeatingView::nameText(int box) const
{
    return m_names.at(size_t(box));
}

void FakeSeatingView::setNameText(int box, const QString &text)
{
    m_names.at(size_t(box)) = text;
}

// Like a combo box, emptying the list leaves nothing selected and reports no
// seat change.
void FakeSeatingView::clearDesk(int desk)
{
    m_desks.at(size_t(desk)) = Desk();
}

void FakeSeatingView::appendDeskItem(int desk, const QString &item)
{
    m_desks.at(size_t(desk)).items.append(item);
}

int FakeSeatingView::deskItemCount(int desk) const
{
    return int(m_desks.at(size_t(desk)).items.size());
}

int FakeSeatingView::deskSelection(int desk) const
{
    return m_desks.at(size_t(desk)).selection;
}

// A position the list does not hold selects nothing, as in a combo box.
void FakeSeatingView::setDeskSelection(int desk, int position)
{
    Desk &target = m_desks.at(size_t(desk));
    target.selection = position >= 0 && position < target.items.size() ? position : -1;
    m_seatChanges.append({desk, aggiornamento()});
    if (m_seatChangeHandler)
        m_seatChangeHandler(desk);
}

void FakeSeatingView::setTabCaption(int tab, const QString &caption)
{
    m_captions.at(size_t(tab - 1)) = caption;
}

SeatingView::Answer FakeSeatingView::messageBox(const QString &text, const QString &title,
                                                Buttons buttons)
{
    m_messages.append({text, title, buttons});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
}

void FakeSeatingView::setSeatChangeHandler(std::function<void(int)> handler)
{
    m_seatChangeHandler = std::move(handler);
}

QString FakeSeatingView::tabCaption(int tab) const
{
    return m_captions.at(size_t(tab - 1));
}

QStringList FakeSeatingView::deskItems(int desk) const
{
    return m_desks.at(size_t(desk)).items;
}

QList<int> FakeSeatingView::selections() const
{
    QList<int> all;
    for (const Desk &desk : m_desks)
        all.append(desk.selection);
    return all;
}

void FakeSeatingView::clearLog()
{
    m_messages.clear();
    m_seatChanges.clear();
}
