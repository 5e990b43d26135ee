// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "planlayout.h"
#include "printableclass.h"

#include <QPrintPreviewDialog>

class QComboBox;
class QPrinter;

// Qt's print preview for a seating plan, on one A4 landscape page, with a row
// of its own under Qt's tool bar, which a small screen cuts short: which way
// round the room is drawn, and saving a PDF where the teacher says. The
// teacher sees both ways before printing; the way last chosen is where the
// next preview of this run starts.
class PlanPreviewDialog : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    explicit PlanPreviewDialog(const PrintableClass &plan, QWidget *parent = nullptr);

    PlanLayout::Orientation orientation() const;
    void setOrientation(PlanLayout::Orientation orientation);

    // Sets printer up for plan: A4, landscape, named after the class; a PDF
    // is offered in the user's documents folder.
    static void preparePrinter(QPrinter &printer, const PrintableClass &plan);
    // Prints plan on one page of printer; false if the printer or file
    // could not be opened.
    static bool print(QPrinter &printer, const PrintableClass &plan,
                      PlanLayout::Orientation orientation);
    // Where a PDF of plan is offered: its name in the documents folder, or
    // the home folder where there is none.
    static QString pdfPath(const PrintableClass &plan);

private:
    void addOwnRow();
    void savePdf();

    PrintableClass m_plan;
    QComboBox *m_orientationBox = nullptr;
};
