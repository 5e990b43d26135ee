// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "planexport.h"

#include <QList>
#include <QObject>

class QAction;
class QWidget;
class SeatingSession;
class SeatingView;

// A class list in, a plan out: "Importa elenco…" reads a file from a school
// register, shows what it would do and replaces the class on screen as one
// step of its history; "Esporta…" writes the class on screen, stored or not,
// as CSV for a spreadsheet. Both through the importers' module, loaded the
// first time.
class ClassTransfer : public QObject
{
    Q_OBJECT

public:
    ClassTransfer(QWidget &window, SeatingSession &session, SeatingView &view);

    QList<QAction *> actions() const { return {m_importAction, m_exportAction}; }

    // What the actions do once the teacher has picked the file.
    void importFile(const QString &path);
    void exportTo(const QString &path);

    // The class on screen as the export writes it.
    PlanExport plan() const;

private:
    void chooseImport();
    void chooseExport();
    void tell(const QString &text);

    QWidget &m_window;
    SeatingSession &m_session;
    SeatingView &m_view;
    QAction *m_importAction = nullptr;
    QAction *m_exportAction = nullptr;
};
