// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the seating file lives. The program's own folder comes first, so that
// a copy on a USB stick or in a folder of its own keeps its file beside it;
// an installed program, whose folder the teacher cannot write, keeps it in the
// per-user data folder. The current folder is never used: it belongs to
// whoever started the program, and its file would be another's classes.
struct SeatingFileLocation
{
    QString path;   // the seating file
    QString notice; // what the start-up must tell the teacher about the place, or empty

    // The place for a program in programFolder, as Qt reports the folder of
    // the executable: "", "." or a folder that does not exist mean that Qt
    // could not resolve it (its name is not valid in the system's encoding).
    static SeatingFileLocation find(const QString &programFolder);

    // The place for this program.
    static SeatingFileLocation forThisProgram();
};
