// A run of the program that is killed instead of closed: it opens the window
// on the seating file given, types a name into the first name box, clicks
// "Memorizza", says "stored" on its output and waits to be killed. The test
// gives it the per-user data folder through the environment.
//
// Usage: crashchild SEATING_FILE NAME

#include "form2.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("posti"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: crashchild SEATING_FILE NAME\n");
        return 2;
    }

    Form2 window(args.at(1));
    window.startUp();
    window.show();
    auto *firstName = window.findChild<QLineEdit *>(QStringLiteral("Text1(0)"));
    auto *store = window.findChild<QPushButton *>(QStringLiteral("cmdSalva"));
    if (!firstName || !store)
        return 3;
    firstName->clear();
    QTest::keyClicks(firstName, args.at(2));
    QTest::mouseClick(store, Qt::LeftButton);

    std::printf("stored\n");
    std::fflush(stdout);
    return QApplication::exec();
}
