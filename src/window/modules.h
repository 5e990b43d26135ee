// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class ImportEngine;
class PrintEngine;

// The modules the window loads the first time they are needed, and keeps
// loaded: start-up loads none of them, nor the libraries behind them.

// The importers (posti_import), for importing, pasting a list, folding a
// typed letter and exporting; behind them QuaZip and FreeXL.
namespace ImportModule {

// The importers, or nullptr when the module cannot be loaded; error, when
// given, then says why in Italian.
const ImportEngine *engine(QString *error = nullptr);

} // namespace ImportModule

// Printing (posti_printing): the preview, the printer and the PDF, on Qt
// Print Support.
namespace PrintModule {

// Printing, or nullptr when the module cannot be loaded; error, when given,
// then says why in Italian.
const PrintEngine *engine(QString *error = nullptr);

} // namespace PrintModule
