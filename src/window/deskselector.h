// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

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

    // The rules the desk's pupil breaks, in words; empty for none.
    void setRuleNote(const QString &note);
    QString ruleNote() const { return m_ruleNote; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void openAt(int row);
    int textWidth() const;
    void updateToolTip();

    QString m_ruleNote;
};
