#pragma once

#include "seatingview.h"

#include <QList>
#include <QStringList>

#include <array>
#include <functional>

// The screen as plain containers. Like the real window it reports every
// selection set by the program to the seat-change handler before returning;
// message boxes are recorded and answered from a queue.
class FakeSeatingView : public SeatingView
{
public:
    struct Message
    {
        QString text;
        QString title;
        Buttons buttons;
    };

    // One seat-change event and whether the update flag was up when it came.
    struct SeatChange
    {
        int desk;
        bool updating;
    };

    QString nameText(int box) const override;
    void setNameText(int box, const QString &text) override;

    void clearDesk(int desk) override;
    void appendDeskItem(int desk, const QString &item) override;
    int deskItemCount(int desk) const override;
    int deskSelection(int desk) const override;
    void setDeskSelection(int desk, int position) override;

    int selectedTab() const override { return m_selectedTab; }
    void setTabCaption(int tab, const QString &caption) override;

    Answer messageBox(const QString &text, const QString &title, Buttons buttons) override;

    void setSeatChangeHandler(std::function<void(int)> handler);
    void setSelectedTab(int tab) { m_selectedTab = tab; }
    QString tabCaption(int tab) const;
    QStringList deskItems(int desk) const;
    QList<int> selections() const;

    // Answers for the next message boxes, oldest first. With none queued an
    // OK box is answered Ok and a question No.
    void queueAnswer(Answer answer) { m_answers.append(answer); }
    const QList<Message> &messages() const { return m_messages; }
    const QList<SeatChange> &seatChanges() const { return m_seatChanges; }
    void clearLog();

private:
    struct Desk
    {
        QStringList items;
        int selection = -1;
    };

    std::array<QString, NameBoxes> m_names;
    std::array<Desk, Desks> m_desks;
    std::array<QString, Tabs> m_captions = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    int m_selectedTab = 1;
    std::function<void(int)> m_seatChangeHandler;
    QList<Answer> m_answers;
    QList<Message> m_messages;
    QList<SeatChange> m_seatChanges;
};
