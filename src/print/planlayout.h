// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QString>

// Where the parts of a printed seating plan go on a page: the title on top,
// the teacher's desk on the front side of the room, the 30 desks in their
// banks and the date it was printed at the foot, all scaled to the page so
// any paper size works. On an upright page the room keeps the proportions
// of a landscape one and stands in the middle, rather than being stretched.
//
// The pupils without a desk, if any, are listed in up to three lines just
// above the date, so that nobody is forgotten on paper.
//
// The room can be drawn two ways round. As the pupils see it, it matches the
// window: desk 0 top left, the teacher's desk above the first row. As the
// teacher sees it from the front, it is turned by half a circle: desk 0 bottom
// right, the teacher's desk below the first row, nearest the reader.
class PlanLayout
{
public:
    enum class Orientation { PupilsView, TeacherView };

    // footLines: how many lines, up to three, the list of the pupils without
    // a desk needs at the foot of the page; none leaves no room for it.
    PlanLayout(const QRectF &page, Orientation orientation, int footLines = 0);

    Orientation orientation() const { return m_orientation; }
    QRectF page() const { return m_page; }
    QRectF titleRect() const { return m_title; }
    QRectF captionRect() const { return m_caption; }
    QRectF dateRect() const { return m_date; }
    QRectF unseatedRect() const { return m_unseated; }
    int footLines() const { return m_footLines; }
    QRectF teacherDeskRect() const { return m_teacherDesk; }
    QRectF deskRect(int desk) const;
    // The part of a desk a pupil's name may cover, clear of its outline and
    // its number, centred in the desk.
    QRectF nameRect(int desk) const;
    // The desk's number, small in its top left corner.
    QRectF numberRect(int desk) const;
    QSizeF deskSize() const { return m_deskSize; }

    // The words under the title that say which way round the room is drawn.
    static QString caption(Orientation orientation);

    // The teacher's desk in the band in front of a room whose desks are
    // deskWidth wide: in the band's middle, as the window shows it too.
    static QRectF teacherDeskIn(const QRectF &frontBand, qreal deskWidth);

private:
    QRectF m_page;
    Orientation m_orientation;
    QRectF m_title;
    QRectF m_caption;
    QRectF m_date;
    QRectF m_unseated;
    int m_footLines = 0;
    QRectF m_teacherDesk;
    QRectF m_grid;
    QSizeF m_deskSize;
    qreal m_pairGap = 0;
    qreal m_aisle = 0;
    qreal m_rowGap = 0;
};
