// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QByteArray>

// XLSX and ODS, both zip containers, told apart by what they hold: an ODS
// names its type in "mimetype" (or its manifest), an XLSX lists its parts in
// "[Content_Types].xml". What the parts expand to is counted as it is read,
// whatever sizes the zip declares, and stops at ImportLimits::MaxUnpackedBytes.
namespace ZipReader {

Workbook read(const QByteArray &bytes);

} // namespace ZipReader
