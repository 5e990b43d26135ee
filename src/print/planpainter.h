// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "planlayout.h"
#include "printableclass.h"

#include <QFont>

class QDate;
class QPainter;

// Draws a seating plan onto one page of any paint device: a printer, a PDF
// or an image. Sizes follow the page, not the device's resolution.
//
// Every desk carries its number, small in a corner. The pupils' names share
// one size, the largest in which every name fits its desk, so that no name
// looks more important than another; a free desk stays empty, so the
// teacher can write on it; a desk not to be used is hatched grey and says so.
// The foot of the page lists the pupils without a desk and says when it was
// printed.
class PlanPainter
{
public:
    explicit PlanPainter(const PrintableClass &plan);

    // The words at the foot of the page: "Stampata il 7 dicembre 2026".
    static QString dateLine(const QDate &date);

    void paint(QPainter &painter, const PlanLayout &layout) const;
    // The room alone, the teacher's desk and the desks, without the page's
    // title, foot or background: a small picture of the plan on screen.
    void paintRoom(QPainter &painter, const PlanLayout &layout) const;

    // The layout of this plan on page: with room at the foot for the pupils
    // without a desk, as many lines as they need, up to three.
    PlanLayout layout(const QRectF &page, PlanLayout::Orientation orientation) const;
    // The words at the foot: "Senza banco: Rossi Anna, Verdi Luca."; empty
    // when every pupil has a desk.
    QString unseatedLine() const;

    // The teacher's desk and a desk's number, drawn the same on paper and on
    // screen: the desk in font, the number in the painter's. On paper the
    // fonts are sized to the page; on screen they are ones the window's
    // controls have loaded already, since a face of their own would cost the
    // start-up its loading.
    static void paintTeacherDesk(QPainter &painter, const QRectF &rect, qreal outline,
                                 const QFont &font);
    static void paintDeskNumber(QPainter &painter, const QRectF &rect, int desk);

private:
    void paintTitle(QPainter &painter, const PlanLayout &layout) const;
    void paintDate(QPainter &painter, const PlanLayout &layout) const;
    void paintUnseated(QPainter &painter, const PlanLayout &layout) const;
    QFont nameFont(const QPainter &painter, const PlanLayout &layout) const;
    void paintDesk(QPainter &painter, const PlanLayout &layout, int desk,
                   const QFont &nameFont) const;
    void paintUnusedDesk(QPainter &painter, const QRectF &rect) const;

    PrintableClass m_plan;
};
