// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the full seating file into the folder given, for the start-up
// benchmark to open.

#include "fullfile.h"
#include "seatingfile.h"

#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString path = QDir(QString::fromLocal8Bit(argv[1])).filePath(SeatingFile::fileName());
    if (!FullFile::write(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
