// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QByteArray>

// The old binary workbook (.xls, BIFF 2 to 8 in an OLE2 container), read by
// FreeXL. FreeXL opens files only by their path, so the bytes go to a copy
// with a plain ASCII name in a temporary folder of their own: the file the
// teacher chose may have any name, on any drive, and is never held open.
namespace BiffReader {

Workbook read(const QByteArray &bytes);

} // namespace BiffReader
