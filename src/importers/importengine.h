// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classlist.h"
#include "importsheet.h"
#include "planexport.h"

#include <QByteArray>
#include <QString>
#include <QtPlugin>

#include <optional>

// The importers as the window uses them, through the module it loads the
// first time they are needed (posti_import, see ImportModule). Only plain
// data crosses: the window links none of the importers' code.
class ImportEngine
{
public:
    virtual ~ImportEngine() = default;

    // Importer::readFile: the sheets of a file, or a message.
    virtual Workbook readFile(const QString &path) const = 0;
    // ClassListReader::read: a sheet's pupils by class, with the changes made.
    virtual ClassList classList(const Sheet &sheet) const = 0;
    // ClassListReader::readPaste: pasted text by the same rules.
    virtual ClassListReader::Paste readPaste(const QString &text) const = 0;
    // LetterFold::foldCharacter: what a typed letter becomes in a name box.
    virtual std::optional<QString> foldCharacter(char32_t c) const = 0;
    // ImportMessages::describe: a change as the preview lists it.
    virtual QString describe(const ImportChange &change) const = 0;
    // PlanCsv::write: the plan as CSV for a spreadsheet.
    virtual QByteArray planCsv(const PlanExport &plan) const = 0;
};

#define ImportEngine_iid "it.posti.ImportEngine/1"
Q_DECLARE_INTERFACE(ImportEngine, ImportEngine_iid)
