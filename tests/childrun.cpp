// SPDX-License-Identifier: GPL-3.0-or-later
// A run of the program for the location test. Without arguments it says where
// this program, wherever it is copied, keeps its seating file: the path on the
// first line, then the start-up notice about the place. With them, it is a
// run that is killed instead of closed: it opens the window on the seating
// file given, types the name into the first name box, clicks "Memorizza" and
// waits to be killed once the journal holds the store. With "type" it types
// the name without storing, says "typed" and waits for a kill or a signal;
// with "close" it then closes the window, whose question stays open. Every
// message box it shows is printed as "box: " and its first line. The test
// gives it the per-user data folder through the environment.
//
// Usage: childrun [SEATING_FILE NAME [type|close]]

#include "seatingfilelocation.h"
#include "sessionend.h"
#include "windowdriver.h"

#include <cstdio>

class BoxPrinter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            std::printf("box: %s\n", qPrintable(box->text().section(u'\n', 0, 0)));
            std::fflush(stdout);
        }
        return false;
    }
};

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
    BoxPrinter printer;
    app.installEventFilter(&printer);
    Form2 window(args.value(1));
    const SessionEnd end(window.session());
    window.startUp();
    if (window.session().hasEnded())
        return 0;
    QLineEdit *firstName = nameBox(&window, 0);
    firstName->clear();
    QTest::keyClicks(firstName, args.value(2));
    if (args.size() < 4)
        QTest::mouseClick(button(&window, QStringLiteral("cmdSalva")), Qt::LeftButton);
    std::puts("typed");
    std::fflush(stdout);
    if (args.value(3) == QStringLiteral("close"))
        QTimer::singleShot(0, &window, &QWidget::close);
    return QApplication::exec();
}
