#include "planpainter.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Ink(Qt::black);
const QColor Paper(Qt::white);
const QColor UnusedFill(232, 232, 232);
const QColor Hatch(165, 165, 165);
const QColor UnusedText(90, 90, 90);
const QColor TeacherDeskFill(215, 215, 215);

QFont planFont(qreal pixelSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    return font;
}

// The largest font, from pixelSize down to a third of it, in which text fits
// rect on as many lines as it needs. Names are short, but a double surname
// should not spill over into the next desk.
QFont fittingFont(const QPainter &painter, QFont font, const QRectF &rect, const QString &text,
                  int flags)
{
    const int largest = font.pixelSize();
    for (int size = largest; size > largest / 3 && size > 1; --size) {
        font.setPixelSize(size);
        const QFontMetricsF metrics(font, painter.device());
        const QRectF needed = metrics.boundingRect(rect, flags, text);
        if (needed.width() <= rect.width() && needed.height() <= rect.height())
            return font;
    }
    font.setPixelSize(qMax(1, largest / 3));
    return font;
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
    paintTeacherDesk(painter, layout);
    for (int desk = 0; desk < DeskGrid::Desks; ++desk)
        paintDesk(painter, m_plan.desks[size_t(desk)], layout.deskRect(desk),
                  layout.nameRect(desk));
    painter.restore();
}

void PlanPainter::paintTitle(QPainter &painter, const PlanLayout &layout) const
{
    const QRectF title = layout.titleRect();
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.setPen(Ink);
    painter.setFont(
        fittingFont(painter, planFont(title.height() * 0.8, true), title, m_plan.title, flags));
    painter.drawText(title, flags, m_plan.title);

    const QRectF caption = layout.captionRect();
    painter.setFont(planFont(caption.height() * 0.7));
    painter.drawText(caption, flags, PlanLayout::caption(layout.orientation()));
}

void PlanPainter::paintTeacherDesk(QPainter &painter, const PlanLayout &layout) const
{
    const QRectF rect = layout.teacherDeskRect();
    painter.setPen(QPen(Ink, lineWidth(layout.deskRect(0)) * 1.5));
    painter.setBrush(TeacherDeskFill);
    painter.drawPath(roundedDesk(rect));
    painter.setFont(planFont(rect.height() * 0.45, true));
    painter.drawText(rect, Qt::AlignCenter, QStringLiteral("Cattedra"));
}

void PlanPainter::paintDesk(QPainter &painter, const PrintableClass::Desk &desk, const QRectF &rect,
                            const QRectF &nameRect) const
{
    if (desk.unused) {
        paintUnusedDesk(painter, rect);
        return;
    }
    painter.setPen(QPen(Ink, lineWidth(rect)));
    painter.setBrush(Paper);
    painter.drawPath(roundedDesk(rect));
    if (desk.pupil.isEmpty())
        return;

    // drawText() clips to its rectangle: a name too long even at the smallest
    // size is cut rather than drawn over the desk's outline or its neighbour.
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    painter.setFont(
        fittingFont(painter, planFont(rect.height() * 0.3, true), nameRect, desk.pupil, flags));
    painter.drawText(nameRect, flags, desk.pupil);
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

    const QString label = QStringLiteral("non usato");
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
