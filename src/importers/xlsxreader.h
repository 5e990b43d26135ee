// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// Office Open XML workbooks (.xlsx): the workbook part named by the content
// types, its worksheets in the workbook's order, text from the shared
// strings or written in the cell.
namespace XlsxReader {

// The bytes of the part with the name, nothing when it cannot be had.
using PartSource = std::function<std::optional<QByteArray>(const QString &name)>;

Workbook read(const QByteArray &contentTypes, const PartSource &part);

} // namespace XlsxReader
