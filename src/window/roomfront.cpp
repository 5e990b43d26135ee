// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomfront.h"

#include "planlayout.h"
#include "planpainter.h"

#include <QEvent>
#include <QPainter>

RoomFront::RoomFront(QWidget *window, const QWidget *top, const QList<const QWidget *> &desks,
                     const QWidget *caption)
    : QWidget(window)
    , m_top(top)
    , m_desks(desks)
    , m_caption(caption)
{
    setObjectName(QStringLiteral("RoomFront"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(window->rect());
    window->installEventFilter(this);
}

bool RoomFront::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

QRectF RoomFront::deskRect(int desk) const
{
    const QWidget *control = m_desks.at(desk);
    return QRectF(control->mapTo(parentWidget(), QPoint()) - pos(), QSizeF(control->size()));
}

// As the print's: a little over half a desk's depth.
qreal RoomFront::numberHeight() const
{
    return deskRect(0).height() * 0.6;
}

QRectF RoomFront::numberRect(int desk) const
{
    const QRectF rect = deskRect(desk);
    const qreal height = numberHeight();
    return QRectF(rect.left() + 2, rect.top() - height - 1, rect.width() / 3, height);
}

// The band between the tab bar and the first row's numbers, as wide as the
// rows; the teacher's desk stands in it as in the print's front band.
QRectF RoomFront::teacherDeskRect() const
{
    QRectF room;
    for (int desk = 0; desk < m_desks.size(); ++desk)
        room |= deskRect(desk);
    const qreal gap = deskRect(0).height() / 2;
    const qreal top = m_top->mapTo(parentWidget(), QPoint(0, m_top->height())).y() - y() + gap;
    const qreal bottom = room.top() - numberHeight() - gap;
    // A band as deep as the print's in proportion to its desks would leave the
    // teacher's desk a sliver beside the screen's flat desks; one as deep as
    // the space makes it loom. Between the two, in the middle of the space.
    const qreal depth = qMin(bottom - top, 2.5 * deskRect(0).height());
    const QRectF band(room.left(), (top + bottom - depth) / 2, room.width(), depth);
    return PlanLayout::teacherDeskIn(band, deskRect(0).width());
}

void RoomFront::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PlanPainter::paintTeacherDesk(painter, teacherDeskRect(), qMax(1.0, deskRect(0).height() / 12),
                                  m_caption->font());
    painter.setFont(font());
    for (int desk = 0; desk < m_desks.size(); ++desk)
        PlanPainter::paintDeskNumber(painter, numberRect(desk), desk);
}
