// A run of the program that is killed instead of closed: it opens the window
// on the seating file given, types a name into the first name box, clicks
// "Memorizza" and waits to be killed once the journal holds the store. The
// test gives it the per-user data folder through the environment.
//
// Usage: crashchild SEATING_FILE NAME

#include "form2.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("posti"));
    const QStringList args = QApplication::arguments();
    Form2 window(args.value(1));
    window.startUp();
    auto *firstName = window.findChild<QLineEdit *>(QStringLiteral("Text1(0)"));
    firstName->clear();
    QTest::keyClicks(firstName, args.value(2));
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdSalva")), Qt::LeftButton);
    return QApplication::exec();
}
