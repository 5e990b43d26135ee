#pragma once

#include "planlayout.h"
#include "printableclass.h"

class QPainter;

// Draws a seating plan onto one page of any paint device: a printer, a PDF
// or an image. Sizes follow the page, not the device's resolution.
//
// A seated desk shows its pupil's name as large as it fits; a free desk
// stays empty, so the teacher can write on it; a desk not to be used is
// hatched grey and says so.
class PlanPainter
{
public:
    explicit PlanPainter(const PrintableClass &plan);

    void paint(QPainter &painter, const PlanLayout &layout) const;

private:
    void paintTitle(QPainter &painter, const PlanLayout &layout) const;
    void paintTeacherDesk(QPainter &painter, const PlanLayout &layout) const;
    void paintDesk(QPainter &painter, const PrintableClass::Desk &desk, const QRectF &rect,
                   const QRectF &nameRect) const;
    void paintUnusedDesk(QPainter &painter, const QRectF &rect) const;

    PrintableClass m_plan;
};
