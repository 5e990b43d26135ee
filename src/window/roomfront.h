// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>
#include <QWidget>

// What the room shows besides its controls, drawn in the window's empty
// spaces in the printed plan's shapes: the teacher's desk in the band above
// the first row, where the print puts it, and each desk's number, small,
// just above its top left corner in the gap between the rows. It lies over
// the whole window, behind the controls, and lets every click through; it
// follows the desks wherever the window's fit puts them. Its words take faces
// the window has loaded already: the teacher's desk a large button's font,
// the numbers the window's, as the name boxes' numbers do.
class RoomFront : public QWidget
{
    Q_OBJECT

public:
    // top: the control whose lower edge bounds the band from above (the tab
    // bar); caption: the control whose font labels the teacher's desk (a large
    // button, whose font the window's fit shrinks with the rest).
    RoomFront(QWidget *window, const QWidget *top, const QList<const QWidget *> &desks,
              const QWidget *caption);

    QRectF teacherDeskRect() const;
    QRectF numberRect(int desk) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF deskRect(int desk) const;
    qreal numberHeight() const;

    const QWidget *m_top;
    QList<const QWidget *> m_desks;
    const QWidget *m_caption;
};
