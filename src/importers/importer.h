// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QByteArray>
#include <QString>

// "Importa elenco...": the sheets of a file, read by what its bytes are,
// whatever its name says. Files over ImportLimits::MaxFileBytes are refused
// unread; every failure comes back as a message for the teacher.
namespace Importer {

Workbook readFile(const QString &path);
Workbook readBytes(const QByteArray &bytes);

} // namespace Importer
