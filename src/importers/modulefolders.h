// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

// Where the import module and posti-xls are looked for: beside the program
// (the build folder, a Windows installation) and in the installed library
// folder, found from the program's own place (POSTI_MODULE_RELDIR, set by
// the build). Header only: the window, which must not link the importers,
// finds the module with it.
namespace ModuleFolders {

inline QStringList all()
{
    const QString program = QCoreApplication::applicationDirPath();
    return {program,
            QDir::cleanPath(program + QLatin1Char('/') + QLatin1StringView(POSTI_MODULE_RELDIR))};
}

} // namespace ModuleFolders
