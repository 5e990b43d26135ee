// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QList>

class NameValidator;
class QMenu;

// A box for one name: a pupil's or the class's. It takes only characters a
// name may hold, whether typed or pasted: a letter the seating file lacks is
// folded to the nearest it holds, anything else refused, and the hint at the
// box says which. A pupil box also takes a list of names pasted from a
// spreadsheet or a register, read as "Importa elenco…" reads a file (columns
// joined, a header skipped, capitals written as names), into itself and the
// boxes after it.
// A name wider than the box shows its start whenever the box is not being
// typed in, and the whole name in the box's tooltip.
class NameBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit NameBox(QWidget *parent = nullptr);

    // Shows a name from the class table as it is, even one holding characters
    // the teacher could not type (a file written by another program).
    void setName(const QString &name);

    // Lets the box take a pasted list, continued into boxes, in order (none
    // for the last pupil). A box never given them (the class name) takes one
    // line only.
    void setFollowingBoxes(const QList<NameBox *> &boxes);

    // Gives the box's own menu the window's menu, as its last entry.
    void setRoomMenu(QMenu *menu) { m_roomMenu = menu; }

    // Pastes the clipboard: a single line at the cursor, as usual; several
    // lines over this box and the following ones.
    void pasteFromClipboard();

signals:
    // A list of names went into this box and the following ones.
    void listPasted();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void updateToolTip();
    void pasteList(const QString &text);
    void insertFolded(const QString &text);
    void explainRefusal();
    void showHint(const QString &text);

    NameValidator *m_validator = nullptr;
    QList<NameBox *> m_followingBoxes;
    bool m_takesLists = false;
    QMenu *m_roomMenu = nullptr;
    QString m_attempt; // what the teacher last tried to put in, for the hint
};
