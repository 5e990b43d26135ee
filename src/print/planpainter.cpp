// SPDX-License-Identifier: GPL-3.0-or-later
#include "planpainter.h"

#include "installedfamily.h"
#include "printtexts.h"
#include "viewtexts.h"

#include <QDate>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

using namespace Qt::StringLiterals;

namespace {

const QColor Ink(Qt::black);
const QColor Paper(Qt::white);
const QColor UnusedFill(232, 232, 232);
const QColor Hatch(165, 165, 165);
const QColor UnusedText(90, 90, 90);
const QColor TeacherDeskFill(215, 215, 215);

QFont planFont(qreal pixelSize, bool bold = false)
{
    static const QString family =
        firstInstalledFamily({"Arial", "Liberation Sans", "Helvetica", "DejaVu Sans"});
    QFont font;
    font.setFamily(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    return font;
}

constexpr int NameFlags = Qt::AlignCenter | Qt::TextWordWrap;
constexpr int FootFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// The font of the foot's lines, each lineHeight high.
QFont footFont(qreal lineHeight)
{
    return planFont(lineHeight * 0.7);
}

// The largest size, from the font's own down to smallest, in which text fits
// rect on as many lines as it needs; 0 when even smallest is too large.
int fittingSize(const QPainter &painter, QFont font, const QRectF &rect, const QString &text,
                int flags, int smallest)
{
    for (int size = font.pixelSize(); size >= qMax(1, smallest); --size) {
        font.setPixelSize(size);
        const QFontMetricsF metrics(font, painter.device());
        const QRectF needed = metrics.boundingRect(rect, flags, text);
        if (needed.width() <= rect.width() && needed.height() <= rect.height())
            return size;
    }
    return 0;
}

// The font at the largest size, down to smallest, in which text fits rect: a
// double surname should not spill over into the next desk.
QFont fittingFont(const QPainter &painter, QFont font, const QRectF &rect, const QString &text,
                  int flags, int smallest)
{
    const int size = fittingSize(painter, font, rect, text, flags, smallest);
    font.setPixelSize(size ? size : qMax(1, smallest));
    return font;
}

// The page's fonts for the teacher's desk and the desks' numbers.
QFont teacherDeskFont(const QRectF &rect)
{
    return planFont(rect.height() * 0.45, true);
}

QFont deskNumberFont(const QRectF &rect)
{
    return planFont(rect.height() * 0.85);
}

// A name's full size, before it shrinks to fit.
QFont fullNameFont(const PlanLayout &layout)
{
    return planFont(layout.deskSize().height() * 0.3, true);
}

qreal lineWidth(const QRectF &desk)
{
    return qMax(1.0, desk.height() * 0.035);
}

QPainterPath roundedDesk(const QRectF &rect)
{
    QPainterPath path;
    const qreal radius = rect.height() * 0.08;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

PlanPainter::PlanPainter(const PrintableClass &plan)
    : m_plan(plan)
{}

void PlanPainter::paint(QPainter &painter, const PlanLayout &layout) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(layout.page(), Paper);
    paintTitle(painter, layout);
    paintDate(painter, layout);
    paintUnseated(painter, layout);
    paintRoom(painter, layout);
    painter.restore();
}

void PlanPainter::paintRoom(QPainter &painter, const PlanLayout &layout) const
{
    const QRectF teacherDesk = layout.teacherDeskRect();
    paintTeacherDesk(painter, teacherDesk, lineWidth(layout.deskRect(0)) * 1.5,
                     teacherDeskFont(teacherDesk));
    const QFont names = nameFont(painter, layout);
    for (int desk = 0; desk < DeskGrid::Desks; ++desk)
        paintDesk(painter, layout, desk, names);
}

QString PlanPainter::dateLine(const QDate &date)
{
    return PrintTexts::printedOn(
        QLocale(QLocale::Italian, QLocale::Italy).toString(date, u"d MMMM yyyy"_s));
}

void PlanPainter::paintTitle(QPainter &painter, const PlanLayout &layout) const
{
    const QRectF title = layout.titleRect();
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.setPen(Ink);
    painter.setFont(fittingFont(painter, planFont(title.height() * 0.8, true), title, m_plan.title,
                                flags, int(title.height() * 0.8 / 3)));
    painter.drawText(title, flags, m_plan.title);

    const QRectF caption = layout.captionRect();
    painter.setFont(planFont(caption.height() * 0.7));
    painter.drawText(caption, flags, PlanLayout::caption(layout.orientation()));
}

void PlanPainter::paintDate(QPainter &painter, const PlanLayout &layout) const
{
    const QRectF rect = layout.dateRect();
    painter.setPen(UnusedText);
    painter.setFont(planFont(rect.height() * 0.8));
    painter.drawText(rect, Qt::AlignRight | Qt::AlignVCenter, dateLine(m_plan.printed));
}

PlanLayout PlanPainter::layout(const QRectF &page, PlanLayout::Orientation orientation) const
{
    if (m_plan.unseated.isEmpty())
        return PlanLayout(page, orientation);
    const QRectF line = PlanLayout(page, orientation, 1).unseatedRect();
    const QFontMetricsF metrics(footFont(line.height()));
    const QRectF needed = metrics.boundingRect(QRectF(line.topLeft(), QSizeF(line.width(), 1e6)),
                                               FootFlags, unseatedLine());
    return PlanLayout(page, orientation, qRound(needed.height() / metrics.lineSpacing()));
}

QString PlanPainter::unseatedLine() const
{
    return m_plan.unseated.isEmpty() ? QString() : PrintTexts::unseated(m_plan.unseated);
}

// A list longer than three lines is drawn smaller until it fits in them.
void PlanPainter::paintUnseated(QPainter &painter, const PlanLayout &layout) const
{
    const QRectF band = layout.unseatedRect();
    if (m_plan.unseated.isEmpty() || band.isEmpty())
        return;
    // Clear of the edges by a little, for the glyphs that reach past their advance.
    const qreal pad = band.height() / layout.footLines() * 0.1;
    const QRectF rect = band.adjusted(pad, 0, -pad, 0);
    painter.setPen(Ink);
    const QFont font = footFont(band.height() / layout.footLines());
    painter.setFont(fittingFont(painter, font, rect, unseatedLine(), FootFlags, 1));
    painter.drawText(rect, FootFlags, unseatedLine());
}

void PlanPainter::paintTeacherDesk(QPainter &painter, const QRectF &rect, qreal outline,
                                   const QFont &font)
{
    painter.setPen(QPen(Ink, outline));
    painter.setBrush(TeacherDeskFill);
    painter.drawPath(roundedDesk(rect));
    painter.setFont(font);
    painter.drawText(rect, Qt::AlignCenter, PrintTexts::teacherDesk());
}

// One size for every name: the largest in which each fits its desk. A name
// that would need less than two fifths of the full size does not drag the others
// down with it; it alone shrinks further, or is cut.
QFont PlanPainter::nameFont(const QPainter &painter, const PlanLayout &layout) const
{
    QFont font = fullNameFont(layout);
    const int smallestShared = qCeil(font.pixelSize() * 0.4);
    int size = font.pixelSize();
    for (int desk = 0; desk < DeskGrid::Desks; ++desk) {
        const PrintableClass::Desk &seat = m_plan.desks[size_t(desk)];
        if (seat.unused || seat.pupil.isEmpty())
            continue;
        const int fitting = fittingSize(painter, font, layout.nameRect(desk), seat.pupil, NameFlags,
                                        smallestShared);
        if (fitting)
            size = qMin(size, fitting);
    }
    font.setPixelSize(size);
    return font;
}

void PlanPainter::paintDesk(QPainter &painter, const PlanLayout &layout, int index,
                            const QFont &nameFont) const
{
    const PrintableClass::Desk &desk = m_plan.desks[size_t(index)];
    const QRectF rect = layout.deskRect(index);
    if (desk.unused) {
        paintUnusedDesk(painter, rect);
    } else {
        painter.setPen(QPen(Ink, lineWidth(rect)));
        painter.setBrush(Paper);
        painter.drawPath(roundedDesk(rect));
    }

    const QRectF number = layout.numberRect(index);
    painter.setFont(deskNumberFont(number));
    paintDeskNumber(painter, number, index);
    if (desk.unused || desk.pupil.isEmpty())
        return;

    // drawText() clips to its rectangle: a name too long even at the smallest
    // size is cut rather than drawn over the desk's outline or its neighbour.
    painter.setPen(Ink);
    const int smallest = fullNameFont(layout).pixelSize() / 3;
    painter.setFont(
        fittingFont(painter, nameFont, layout.nameRect(index), desk.pupil, NameFlags, smallest));
    painter.drawText(layout.nameRect(index), NameFlags, desk.pupil);
}

// At the left of rect, centred on its height; from a baseline, since a number
// needs none of the text layout that drawing into a rectangle sets up.
void PlanPainter::paintDeskNumber(QPainter &painter, const QRectF &rect, int desk)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal baseline = rect.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    painter.setPen(UnusedText);
    painter.drawText(QPointF(rect.left(), baseline), QString::number(desk + 1));
}

void PlanPainter::paintUnusedDesk(QPainter &painter, const QRectF &rect) const
{
    const QPainterPath outline = roundedDesk(rect);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(UnusedFill);
    painter.drawPath(outline);

    // Hatching drawn as lines rather than a pattern brush, whose pattern
    // would shrink to nothing at a printer's resolution.
    painter.setClipPath(outline);
    painter.setPen(QPen(Hatch, lineWidth(rect)));
    const qreal step = rect.height() / 4;
    for (qreal x = rect.left() - rect.height(); x < rect.right(); x += step)
        painter.drawLine(QPointF(x, rect.bottom()), QPointF(x + rect.height(), rect.top()));
    painter.setClipping(false);

    painter.setPen(QPen(Hatch, lineWidth(rect), Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);

    const QString label = ViewTexts::unusedDesk();
    painter.setFont(planFont(rect.height() * 0.22));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal pad = rect.height() * 0.06;
    const QRectF labelRect = metrics.boundingRect(label)
                                 .adjusted(-2 * pad, -pad, 2 * pad, pad)
                                 .translated(-metrics.boundingRect(label).center())
                                 .translated(rect.center());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Paper);
    painter.drawRoundedRect(labelRect, pad, pad);
    painter.setPen(UnusedText);
    painter.drawText(rect, Qt::AlignCenter, label);
    painter.restore();
}
