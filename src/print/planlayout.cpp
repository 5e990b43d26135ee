// SPDX-License-Identifier: GPL-3.0-or-later
#include "planlayout.h"

#include "deskgrid.h"
#include "printtexts.h"

#include <QtGlobal>

namespace {

// Proportions of the page, as fractions of the printable height.
constexpr qreal Margin = 0.04;
constexpr qreal TitleHeight = 0.09;
constexpr qreal CaptionHeight = 0.04;
constexpr qreal FrontHeight = 0.09; // the band that holds the teacher's desk
constexpr qreal DateHeight = 0.025;
constexpr qreal FootLineHeight = 0.03; // a line of the pupils without a desk
constexpr int MaxFootLines = 3;
constexpr qreal BandGap = 0.03;

// Proportions of the room, as fractions of a desk's own size. The two desks
// of a pair nearly touch, the aisles between banks are wide enough to walk.
constexpr qreal PairGap = 0.04;
constexpr qreal Aisle = 0.30;
constexpr qreal RowGap = 0.35;
// A desk is never deeper than this share of its width, as on an upright page.
constexpr qreal MaxDeskHeight = 0.75;

// Inside a desk, as fractions of its height: the margin clear of the outline,
// and the band at the top and bottom that keeps a name off the desk's number.
constexpr qreal DeskInset = 0.1;
constexpr qreal NumberHeight = 0.17;
constexpr qreal NumberWidth = 0.4;

} // namespace

PlanLayout::PlanLayout(const QRectF &page, Orientation orientation, int footLines)
    : m_page(page)
    , m_orientation(orientation)
    , m_footLines(qBound(0, footLines, MaxFootLines))
{
    // The bands keep the sizes they have on a landscape page whichever way
    // the paper is turned.
    const qreal unit = qMin(page.width(), page.height());
    QRectF content = page.adjusted(Margin * unit, Margin * unit, -Margin * unit, -Margin * unit);

    m_title = QRectF(content.left(), content.top(), content.width(), TitleHeight * unit);
    m_caption = QRectF(content.left(), m_title.bottom(), content.width(), CaptionHeight * unit);
    m_date = QRectF(content.left(), content.bottom() - DateHeight * unit, content.width(),
                    DateHeight * unit);
    const qreal footHeight = m_footLines * FootLineHeight * unit;
    m_unseated = QRectF(content.left(), m_date.top() - footHeight, content.width(), footHeight);
    content.setTop(m_caption.bottom() + BandGap * unit);
    content.setBottom(m_unseated.top() - BandGap * unit);

    const int columns = DeskGrid::Banks * DeskGrid::Sides;
    const qreal widthInDesks = columns + DeskGrid::Banks * PairGap + (DeskGrid::Banks - 1) * Aisle;
    const qreal heightInDesks = DeskGrid::Rows + (DeskGrid::Rows - 1) * RowGap;
    const qreal front = FrontHeight * unit + BandGap * unit;
    const qreal deskWidth = content.width() / widthInDesks;
    const qreal deskHeight =
        qMin((content.height() - front) / heightInDesks, MaxDeskHeight * deskWidth);
    m_deskSize = QSizeF(deskWidth, deskHeight);
    m_pairGap = PairGap * m_deskSize.width();
    m_aisle = Aisle * m_deskSize.width();
    m_rowGap = RowGap * m_deskSize.height();

    // The room, the front band and the rows together, in the middle of the
    // space left; the front faces the reader's top as the pupils see it and
    // the reader's bottom as the teacher does.
    const qreal roomHeight = front + heightInDesks * deskHeight;
    const qreal top = content.top() + (content.height() - roomHeight) / 2;
    QRectF frontBand(content.left(), top, content.width(), FrontHeight * unit);
    m_grid = QRectF(content.left(), top + front, content.width(), roomHeight - front);
    if (orientation == Orientation::TeacherView) {
        m_grid.moveTop(top);
        frontBand.moveBottom(top + roomHeight);
    }

    m_teacherDesk = teacherDeskIn(frontBand, m_deskSize.width());
}

QRectF PlanLayout::teacherDeskIn(const QRectF &frontBand, qreal deskWidth)
{
    const QSizeF size(1.6 * deskWidth, 0.8 * frontBand.height());
    return QRectF(frontBand.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

QRectF PlanLayout::deskRect(int desk) const
{
    DeskGrid::Place place = DeskGrid::placeOf(desk);
    if (m_orientation == Orientation::TeacherView) {
        place.bank = DeskGrid::Banks - 1 - place.bank;
        place.row = DeskGrid::Rows - 1 - place.row;
        place.side = DeskGrid::Sides - 1 - place.side;
    }
    const qreal bankWidth = DeskGrid::Sides * m_deskSize.width() + m_pairGap;
    const qreal left = m_grid.left() + place.bank * (bankWidth + m_aisle) +
                       place.side * (m_deskSize.width() + m_pairGap);
    const qreal top = m_grid.top() + place.row * (m_deskSize.height() + m_rowGap);
    return QRectF(QPointF(left, top), m_deskSize);
}

QRectF PlanLayout::nameRect(int desk) const
{
    const qreal inset = DeskInset * m_deskSize.height();
    const qreal band = inset + NumberHeight * m_deskSize.height();
    return deskRect(desk).adjusted(inset, band, -inset, -band);
}

QRectF PlanLayout::numberRect(int desk) const
{
    const qreal inset = DeskInset * m_deskSize.height();
    const QPointF corner = deskRect(desk).topLeft() + QPointF(inset, inset / 2);
    return QRectF(corner, QSizeF(NumberWidth, NumberHeight) * m_deskSize.height());
}

QString PlanLayout::caption(Orientation orientation)
{
    return orientation == Orientation::PupilsView ? PrintTexts::pupilsViewCaption()
                                                  : PrintTexts::teacherViewCaption();
}
