#include "planlayout.h"

#include "deskgrid.h"

#include <QtGlobal>

namespace {

// Proportions of the page, as fractions of the printable height.
constexpr qreal Margin = 0.04;
constexpr qreal TitleHeight = 0.09;
constexpr qreal CaptionHeight = 0.04;
constexpr qreal FrontHeight = 0.09; // the band that holds the teacher's desk
constexpr qreal BandGap = 0.03;

// Proportions of the room, as fractions of a desk's own size. The two desks
// of a pair nearly touch, the aisles between banks are wide enough to walk.
constexpr qreal PairGap = 0.04;
constexpr qreal Aisle = 0.30;
constexpr qreal RowGap = 0.35;

} // namespace

PlanLayout::PlanLayout(const QRectF &page, Orientation orientation)
    : m_page(page)
    , m_orientation(orientation)
{
    const qreal unit = page.height();
    QRectF content = page.adjusted(Margin * unit, Margin * unit, -Margin * unit, -Margin * unit);

    m_title = QRectF(content.left(), content.top(), content.width(), TitleHeight * unit);
    m_caption = QRectF(content.left(), m_title.bottom(), content.width(), CaptionHeight * unit);
    content.setTop(m_caption.bottom() + BandGap * unit);

    // The front of the room faces the reader's top as the pupils see it and
    // the reader's bottom as the teacher does.
    QRectF front;
    if (orientation == Orientation::PupilsView) {
        front = QRectF(content.left(), content.top(), content.width(), FrontHeight * unit);
        content.setTop(front.bottom() + BandGap * unit);
    } else {
        front = QRectF(content.left(), content.bottom() - FrontHeight * unit, content.width(),
                       FrontHeight * unit);
        content.setBottom(front.top() - BandGap * unit);
    }
    m_grid = content;

    const int columns = DeskGrid::Banks * DeskGrid::Sides;
    const qreal widthInDesks = columns + DeskGrid::Banks * PairGap + (DeskGrid::Banks - 1) * Aisle;
    const qreal heightInDesks = DeskGrid::Rows + (DeskGrid::Rows - 1) * RowGap;
    m_deskSize = QSizeF(m_grid.width() / widthInDesks, m_grid.height() / heightInDesks);
    m_pairGap = PairGap * m_deskSize.width();
    m_aisle = Aisle * m_deskSize.width();
    m_rowGap = RowGap * m_deskSize.height();

    const QSizeF teacherDesk(1.6 * m_deskSize.width(), 0.8 * front.height());
    m_teacherDesk = QRectF(QPointF(front.center().x() - teacherDesk.width() / 2,
                                   front.center().y() - teacherDesk.height() / 2),
                           teacherDesk);
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
    const qreal inset = m_deskSize.height() * 0.1;
    return deskRect(desk).adjusted(inset, inset, -inset, -inset);
}

QString PlanLayout::caption(Orientation orientation)
{
    return orientation == Orientation::PupilsView
               ? QStringLiteral("Vista dai banchi, come sullo schermo")
               : QStringLiteral("Vista dalla cattedra");
}
