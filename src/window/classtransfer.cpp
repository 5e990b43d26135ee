// SPDX-License-Identifier: GPL-3.0-or-later
#include "classtransfer.h"

#include "deskgrid.h"
#include "deskseat.h"
#include "importengine.h"
#include "importpreview.h"
#include "modules.h"
#include "seatingsession.h"
#include "seatingview.h"
#include "windowtexts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// A class name may hold what a file name cannot ("3/A").
QString fileNameFor(const QString &classTitle)
{
    QString name = WindowTexts::exportFileName(classTitle);
    for (const QChar c : u"/\\:*?\"<>|")
        name.replace(c, u'-');
    return name;
}

} // namespace

ClassTransfer::ClassTransfer(QWidget &window, SeatingSession &session, SeatingView &view)
    : QObject(&window)
    , m_window(window)
    , m_session(session)
    , m_view(view)
    , m_importAction(new QAction(WindowTexts::importList(), &window))
    , m_exportAction(new QAction(WindowTexts::exportPlan(), &window))
{
    m_importAction->setObjectName(u"importAction"_s);
    m_importAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    m_importAction->setToolTip(WindowTexts::importListTip());
    m_exportAction->setObjectName(u"exportAction"_s);
    m_exportAction->setToolTip(WindowTexts::exportPlanTip());
    for (QAction *action : actions())
        action->setShortcutContext(Qt::WindowShortcut);
    connect(m_importAction, &QAction::triggered, this, &ClassTransfer::chooseImport);
    connect(m_exportAction, &QAction::triggered, this, &ClassTransfer::chooseExport);
}

void ClassTransfer::chooseImport()
{
    const QString path = QFileDialog::getOpenFileName(
        &m_window, WindowTexts::importTitle(), documentsFolder(), WindowTexts::importFilter());
    if (!path.isEmpty())
        importFile(path);
}

void ClassTransfer::importFile(const QString &path)
{
    QString error;
    const ImportEngine *engine = ImportModule::engine(&error);
    if (!engine) {
        tell(error);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Workbook workbook = engine->readFile(path);
    QApplication::restoreOverrideCursor();
    if (!workbook.error.isEmpty()) {
        tell(WindowTexts::importFailed(QFileInfo(path).fileName(), workbook.error));
        return;
    }
    ImportPreview::Screen screen{m_view.nameText(SeatingView::ClassNameBox), 0, 0};
    const QStringList names = m_view.pupilNames();
    screen.names = int(names.size() - names.count(QString()));
    for (int desk = 0; desk < SeatingView::Desks; ++desk)
        screen.seated += m_view.deskSelection(desk) >= SeatList::FirstPupil ? 1 : 0;
    ImportPreview preview(*engine, workbook, screen, &m_window);
    if (preview.exec() != QDialog::Accepted)
        return;
    const ImportedClass chosen = preview.chosen();
    m_session.importClass(chosen.name, chosen.pupils);
}

void ClassTransfer::chooseExport()
{
    const QString title =
        classTitle(m_view.nameText(SeatingView::ClassNameBox), m_view.selectedTab());
    const QString path = QFileDialog::getSaveFileName(
        &m_window, WindowTexts::exportTitle(), QDir(documentsFolder()).filePath(fileNameFor(title)),
        WindowTexts::exportFilter());
    if (!path.isEmpty())
        exportTo(path);
}

void ClassTransfer::exportTo(const QString &path)
{
    QString error;
    const ImportEngine *engine = ImportModule::engine(&error);
    if (!engine) {
        tell(error);
        return;
    }
    QSaveFile file(path);
    const QByteArray bytes = engine->planCsv(plan());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        tell(WindowTexts::exportFailed(QFileInfo(path).fileName(), file.errorString()));
}

PlanExport ClassTransfer::plan() const
{
    PlanExport plan;
    plan.className = m_view.nameText(SeatingView::ClassNameBox);
    QStringList unseated = m_view.pupilNames();
    unseated.removeAll(QString());
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const int selection = m_view.deskSelection(desk);
        PlanExport::Desk seat{desk + 1, DeskGrid::placeOf(desk).row + 1, QString(),
                              selection == SeatList::Marker};
        if (selection >= SeatList::FirstPupil) {
            seat.pupil = m_view.deskItem(desk, selection);
            unseated.removeOne(seat.pupil);
        }
        plan.desks.append(seat);
    }
    plan.unseated = unseated;
    return plan;
}

void ClassTransfer::tell(const QString &text)
{
    m_view.messageBox(text, MessageTitle::error(), SeatingView::Buttons::Ok);
}
