// SPDX-License-Identifier: GPL-3.0-or-later
// A run of the program for the location test. Without arguments it says where
// this program, wherever it is copied, keeps its seating file: the path on the
// first line, then the start-up notice about the place. With them, it is a
// run that is killed instead of closed: it opens the window on the seating
// file given, types the name into the first name box, clicks "Memorizza" and
// waits to be killed once the journal holds the store. The test gives it the
// per-user data folder through the environment.
//
// Usage: childrun [SEATING_FILE NAME]

#include "seatingfilelocation.h"
#include "windowdriver.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("posti"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        const SeatingFileLocation location = SeatingFileLocation::forThisProgram();
        std::printf("%s\n%s\n", qPrintable(location.path), qPrintable(location.notice));
        return 0;
    }
    Form2 window(args.value(1));
    window.startUp();
    QLineEdit *firstName = nameBox(&window, 0);
    firstName->clear();
    QTest::keyClicks(firstName, args.value(2));
    QTest::mouseClick(button(&window, QStringLiteral("cmdSalva")), Qt::LeftButton);
    return QApplication::exec();
}
