// SPDX-License-Identifier: GPL-3.0-or-later
#include "planroom.h"

#include "planpainter.h"

#include <QPainter>

namespace {

const QColor Paper(Qt::white);
const QColor Former(120, 120, 120);

// The room's outline in a layout: the teacher's desk and every desk.
QRectF roomIn(const PlanLayout &layout)
{
    QRectF room = layout.teacherDeskRect();
    for (int desk = 0; desk < DeskGrid::Desks; ++desk)
        room |= layout.deskRect(desk);
    return room;
}

} // namespace

PlanRoom::PlanRoom(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PlanRoom::setPlan(const PrintableClass &room,
                       const std::array<QString, DeskGrid::Desks> &former)
{
    m_room = room;
    m_former = former;
    update();
}

QSize PlanRoom::sizeHint() const
{
    return QSize(fontMetrics().averageCharWidth() * 100, fontMetrics().height() * 30);
}

QSize PlanRoom::minimumSizeHint() const
{
    return QSize(fontMetrics().averageCharWidth() * 50, fontMetrics().height() * 14);
}

// The printed plan's layout takes a page with a title and a foot; its room
// is laid out on a page as much larger as it takes for the room alone to
// fill the widget, so that names are drawn at the screen's own size.
void PlanRoom::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Paper);
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    const QRectF first = roomIn(PlanLayout(area, PlanLayout::Orientation::PupilsView));
    const qreal grow = qMin(area.width() / first.width(), area.height() / first.height());
    const PlanLayout layout(QRectF(area.topLeft(), area.size() * grow),
                            PlanLayout::Orientation::PupilsView);
    const QRectF room = roomIn(layout);
    // Growing the page is not quite linear: what is left over is scaled away.
    const qreal shrink =
        qMin(1.0, qMin(area.width() / room.width(), area.height() / room.height()));
    painter.translate(area.center());
    painter.scale(shrink, shrink);
    painter.translate(-room.center());
    PlanPainter(m_room).paintRoom(painter, layout);
    paintFormer(painter, layout);
}

// Small and slanted, so that the desk reads as free with a memory on it;
// a name too long for the desk is cut, as the printed plan cuts it.
void PlanRoom::paintFormer(QPainter &painter, const PlanLayout &layout) const
{
    QFont font = painter.font();
    font.setItalic(true);
    font.setPixelSize(qMax(1, qRound(layout.deskSize().height() * 0.2)));
    painter.setFont(font);
    painter.setPen(Former);
    for (int desk = 0; desk < DeskGrid::Desks; ++desk)
        painter.drawText(layout.nameRect(desk), Qt::AlignCenter | Qt::TextWordWrap,
                         m_former[size_t(desk)]);
}
