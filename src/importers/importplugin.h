// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importengine.h"

#include <QObject>

// The module's one object: the importers behind ImportEngine.
class ImportPlugin : public QObject, public ImportEngine
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ImportEngine_iid)
    Q_INTERFACES(ImportEngine)

public:
    Workbook readFile(const QString &path) const override;
    ClassList classList(const Sheet &sheet) const override;
    ClassListReader::Paste readPaste(const QString &text) const override;
    std::optional<QString> foldCharacter(char32_t c) const override;
    QString describe(const ImportChange &change) const override;
    QByteArray planCsv(const PlanExport &plan) const override;
};
