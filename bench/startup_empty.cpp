// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline for posti_startup: the same steps for an empty window of the
// same size, so the difference is what the program itself costs.

#include "firstframe.h"

int main(int argc, char *argv[])
{
    FirstFrame::useOffscreenPlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("posti"));

    QWidget window;
    window.setFixedSize(FirstFrame::windowSize());
    return FirstFrame::showPaintAndClose(window);
}
