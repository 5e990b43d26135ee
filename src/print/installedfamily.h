// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <initializer_list>

// The first installed of families, or none. A font is given only an installed
// family, and alone: for a missing family, and for the extra families of a
// list, Qt asks fontconfig for fallbacks whenever it loads the font at a new
// size, which cost the window several per cent of its start-up. Qt would take
// the first installed one of the list all the same.
inline QString firstInstalledFamily(std::initializer_list<const char *> families)
{
    const QStringList installed = QFontDatabase::families();
    for (const char *name : families) {
        if (installed.contains(QLatin1String(name), Qt::CaseInsensitive))
            return QString::fromLatin1(name);
    }
    return QString();
}
