// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class ImportEngine;

// The importers' module (posti_import), loaded the first time the window
// imports, pastes a list, folds a typed letter or exports, and kept loaded.
// Start-up loads none of it, nor QuaZip and FreeXL behind it.
namespace ImportModule {

// The importers, or nullptr when the module cannot be loaded; error, when
// given, then says why in Italian.
const ImportEngine *engine(QString *error = nullptr);

} // namespace ImportModule
