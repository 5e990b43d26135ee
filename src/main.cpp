// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"
#include "qttranslations.h"
#include "seatingfilelocation.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("posti"));
    // Names the installed desktop entry, whose icon a Wayland desktop shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.posti.Posti"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/it.posti.Posti-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    QtTranslations::installItalian();

    const SeatingFileLocation location = SeatingFileLocation::forThisProgram();
    Form2 window(location.path);
    window.startUp(location.notice);
    window.show();
    return QApplication::exec();
}
