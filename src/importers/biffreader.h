// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QString>

// The old binary workbook (.xls, BIFF 2 to 8 in an OLE2 container), read by
// FreeXL, which opens files only by their path: the caller gives it a copy
// with a plain ASCII name. FreeXL reads damaged files past its buffers, so
// the program never calls this itself: BiffChild runs it in posti-xls.
namespace BiffReader {

Workbook readCopy(const QString &copyPath);

} // namespace BiffReader
