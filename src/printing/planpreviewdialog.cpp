// SPDX-License-Identifier: GPL-3.0-or-later
#include "planpreviewdialog.h"

#include "planpainter.h"
#include "printtexts.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
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
    addOwnRow();
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *target) { print(*target, m_plan, orientation()); });
}

void PlanPreviewDialog::addOwnRow()
{
    auto *row = new QWidget(this);
    auto *rowLayout = new QHBoxLayout(row);
    auto *label = new QLabel(PrintTexts::viewLabel(), row);
    m_orientationBox = new QComboBox(row);
    label->setBuddy(m_orientationBox);
    m_orientationBox->setObjectName(u"orientationBox"_s);
    m_orientationBox->addItem(PrintTexts::pupilsViewChoice(),
                              int(PlanLayout::Orientation::PupilsView));
    m_orientationBox->addItem(PrintTexts::teacherViewChoice(),
                              int(PlanLayout::Orientation::TeacherView));
    m_orientationBox->setCurrentIndex(m_orientationBox->findData(int(lastOrientation)));
    m_orientationBox->setToolTip(PrintTexts::orientationTip());
    auto *savePdf = new QPushButton(PrintTexts::savePdf(), row);
    savePdf->setObjectName(u"savePdfButton"_s);
    savePdf->setToolTip(PrintTexts::savePdfTip());
    connect(savePdf, &QPushButton::clicked, this, &PlanPreviewDialog::savePdf);
    rowLayout->addWidget(label);
    rowLayout->addWidget(m_orientationBox);
    rowLayout->addStretch();
    rowLayout->addWidget(savePdf);

    // Under the tool bar, whether Qt lays it out as the layout's menu bar or
    // as its first item.
    if (auto *box = qobject_cast<QBoxLayout *>(layout()))
        box->insertWidget(box->indexOf(findChild<QToolBar *>()) + 1, row);

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
    // Without a printer Qt's own print button saves a PDF, asking where from here.
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
        printer.setOutputFileName(pdfPath(plan));
}

QString PlanPreviewDialog::pdfPath(const PrintableClass &plan)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QDir folder(QDir(documents).exists() ? documents : QDir::homePath());
    return folder.filePath(PrintableClass::documentName(plan.title) + u".pdf"_s);
}

void PlanPreviewDialog::savePdf()
{
    QFileDialog dialog(this, PrintTexts::savePdfTitle(), pdfPath(m_plan), PrintTexts::pdfFilter());
    dialog.setObjectName(u"savePdfDialog"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(u"pdf"_s);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    preparePrinter(printer, m_plan);
    if (!print(printer, m_plan, orientation()))
        QMessageBox::warning(this, PrintTexts::savePdfTitle(),
                             PrintTexts::pdfNotSaved(QDir::toNativeSeparators(path)));
}

bool PlanPreviewDialog::print(QPrinter &printer, const PrintableClass &plan,
                              PlanLayout::Orientation orientation)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    const PlanPainter planPainter(plan);
    planPainter.paint(painter, planPainter.layout(page, orientation));
    return painter.end();
}
