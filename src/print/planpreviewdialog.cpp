// SPDX-License-Identifier: GPL-3.0-or-later
#include "planpreviewdialog.h"

#include "planpainter.h"
#include "printtexts.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {

QPrinter *preparedPrinter(const PrintableClass &plan)
{
    auto *printer = new QPrinter;
    PlanPreviewDialog::preparePrinter(*printer, plan);
    return printer;
}

// The way round the teacher last chose, for the rest of the run.
PlanLayout::Orientation lastOrientation = PlanLayout::Orientation::PupilsView;

} // namespace

PlanPreviewDialog::PlanPreviewDialog(const PrintableClass &plan, QWidget *parent)
    : QPrintPreviewDialog(preparedPrinter(plan), parent)
    , m_plan(plan)
{
    // The preview reads the page's orientation from its printer when it is
    // built, hence a printer set up first. The preview and the print dialogs
    // paint on it until the last of them is gone with the dialog.
    QPrinter *own = printer();
    connect(this, &QObject::destroyed, [own] { delete own; });
    setWindowTitle(PrintTexts::previewTitle(plan.title));
    addOrientationChoice();
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *target) { print(*target, m_plan, orientation()); });
}

void PlanPreviewDialog::addOrientationChoice()
{
    m_orientationBox = new QComboBox(this);
    m_orientationBox->setObjectName(u"orientationBox"_s);
    m_orientationBox->addItem(PrintTexts::pupilsViewChoice(),
                              int(PlanLayout::Orientation::PupilsView));
    m_orientationBox->addItem(PrintTexts::teacherViewChoice(),
                              int(PlanLayout::Orientation::TeacherView));
    m_orientationBox->setCurrentIndex(m_orientationBox->findData(int(lastOrientation)));
    m_orientationBox->setToolTip(PrintTexts::orientationTip());

    // The preview's own tool bar is the natural place; should a Qt version
    // ever lay the dialog out without one, the choice goes above the preview.
    if (auto *toolBar = findChild<QToolBar *>()) {
        toolBar->addSeparator();
        toolBar->addWidget(m_orientationBox);
    } else if (auto *box = qobject_cast<QBoxLayout *>(layout())) {
        box->insertWidget(0, m_orientationBox);
    }

    connect(m_orientationBox, &QComboBox::currentIndexChanged, this, [this] {
        lastOrientation = orientation();
        if (auto *preview = findChild<QPrintPreviewWidget *>())
            preview->updatePreview();
    });
}

PlanLayout::Orientation PlanPreviewDialog::orientation() const
{
    return PlanLayout::Orientation(m_orientationBox->currentData().toInt());
}

void PlanPreviewDialog::setOrientation(PlanLayout::Orientation orientation)
{
    m_orientationBox->setCurrentIndex(m_orientationBox->findData(int(orientation)));
}

void PlanPreviewDialog::preparePrinter(QPrinter &printer, const PrintableClass &plan)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    // The print dialog offers the PDF under this name.
    printer.setDocName(PrintableClass::documentName(plan.title));
}

void PlanPreviewDialog::print(QPrinter &printer, const PrintableClass &plan,
                              PlanLayout::Orientation orientation)
{
    QPainter painter(&printer);
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    PlanPainter(plan).paint(painter, PlanLayout(page, orientation));
}
