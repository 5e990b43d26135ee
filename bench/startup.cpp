// SPDX-License-Identifier: GPL-3.0-or-later
// The program's whole life, once: start the window on the seating file in
// FOLDER, show it, wait for its first frame, close it (which saves the file)
// and exit. Timed against posti_startup_empty by ./scripts/bench.

#include "firstframe.h"
#include "form2.h"
#include "seatingfile.h"

#include <QDir>

int main(int argc, char *argv[])
{
    FirstFrame::useOffscreenPlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("posti"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }

    Form2 window(QDir(QString::fromLocal8Bit(argv[1])).filePath(SeatingFile::fileName()));
    if (window.size() != FirstFrame::windowSize()) {
        std::fprintf(stderr, "the empty window no longer matches the program's size\n");
        return 1;
    }
    window.startUp();
    return FirstFrame::showPaintAndClose(window);
}
