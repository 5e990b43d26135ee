// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "planlayout.h"
#include "printableclass.h"

#include <QPrintPreviewDialog>

class QComboBox;
class QPrinter;

// Qt's print preview for a seating plan, on one A4 landscape page, with one
// more choice in its tool bar: which way round the room is drawn. The teacher
// sees both ways before printing and can print or save as PDF from here; the
// way last chosen is where the next preview of this run starts.
class PlanPreviewDialog : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    explicit PlanPreviewDialog(const PrintableClass &plan, QWidget *parent = nullptr);

    PlanLayout::Orientation orientation() const;
    void setOrientation(PlanLayout::Orientation orientation);

    // Sets printer up for plan: A4, landscape, named after the class.
    static void preparePrinter(QPrinter &printer, const PrintableClass &plan);
    // Prints plan on one page of printer.
    static void print(QPrinter &printer, const PrintableClass &plan,
                      PlanLayout::Orientation orientation);

private:
    void addOrientationChoice();

    PrintableClass m_plan;
    QComboBox *m_orientationBox = nullptr;
};
