// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QFont>

#include <optional>

// A desk's selector. With every desk taken each pick is a swap that is stored
// at once, so a desk changes only when the teacher picks from the open list:
// the wheel does nothing, and the keys that would change a closed combo box
// open the list instead, highlighting where the key would have gone. Enter,
// Return or a click in the open list picks; Escape or a click outside does not.
//
// A name too long for the desk is shown shortened (see ShortName), with the
// whole name in the desk's tooltip; the items stay whole, as the seating logic
// reads them, and the open list, which Qt makes as wide as its longest
// item, shows every name whole.
//
// A desk whose pupil breaks a seating rule wears a red frame, drawn over the
// control so that nothing moves, and its tooltip names the rule.
class DeskSelector : public QComboBox
{
    Q_OBJECT

public:
    explicit DeskSelector(QWidget *parent = nullptr);

    // The current item's text as the desk shows it.
    QString shownText() const;

    // What the desk's tooltip says: the whole name when it is shown
    // shortened, and the rules broken; empty for none. Worked out only when
    // the tooltip is asked for, not on every change.
    QString toolTipText() const;

    // The rules the desk's pupil breaks, in words; empty for none.
    void setRuleNote(const QString &note);
    QString ruleNote() const { return m_ruleNote; }

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The shortened text for the text, width and font it was worked out in;
    // the items it must not be mistaken for drop it when they change.
    struct Shown
    {
        QString text;
        int width = 0;
        QFont font;
        QString shown;
    };

    void openAt(int row);
    int textWidth() const;

    QString m_ruleNote;
    mutable std::optional<Shown> m_shown;
};
