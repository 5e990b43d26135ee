// SPDX-License-Identifier: GPL-3.0-or-later
#include "importplugin.h"

#include "importer.h"
#include "importmessages.h"
#include "letterfold.h"

Workbook ImportPlugin::readFile(const QString &path) const
{
    return Importer::readFile(path);
}

ClassList ImportPlugin::classList(const Sheet &sheet) const
{
    return ClassListReader::read(sheet);
}

ClassListReader::Paste ImportPlugin::readPaste(const QString &text) const
{
    return ClassListReader::readPaste(text);
}

std::optional<QString> ImportPlugin::foldCharacter(char32_t c) const
{
    return LetterFold::foldCharacter(c);
}

QString ImportPlugin::describe(const ImportChange &change) const
{
    return ImportMessages::describe(change);
}

QByteArray ImportPlugin::planCsv(const PlanExport &plan) const
{
    return PlanCsv::write(plan);
}
