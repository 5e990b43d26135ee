// Says where this program, wherever it is copied, keeps its seating file: the
// path on the first line, then the start-up notice about the place. The test
// gives it the per-user data folder through the environment.

#include "seatingfilelocation.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("posti"));
    const SeatingFileLocation location = SeatingFileLocation::forThisProgram();
    std::printf("%s\n%s\n", location.path.toUtf8().constData(),
                location.notice.toUtf8().constData());
    return 0;
}
