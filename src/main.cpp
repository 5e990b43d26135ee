// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"
#include "qttranslations.h"
#include "seatingfilelocation.h"
#include "sessionend.h"

#include <QApplication>
#include <QIcon>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"posti"_s);
    // Names the installed desktop entry, whose icon a Wayland desktop shows.
    QGuiApplication::setDesktopFileName(u"it.posti.Posti"_s);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(u":/icons/it.posti.Posti-%1.png"_s.arg(size));
    QApplication::setWindowIcon(icon);
    QtTranslations::installItalian();

    const SeatingFileLocation location = SeatingFileLocation::forThisProgram();
    Form2 window(location.path);
    const SessionEnd end(window.session());
    window.startUp(location.notice);
    if (window.session().hasEnded())
        return 0; // a signal came while a start-up question was open
    window.show();
    return QApplication::exec();
}
