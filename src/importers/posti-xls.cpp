// SPDX-License-Identifier: GPL-3.0-or-later
// posti-xls COPY: reads the old binary workbook COPY with FreeXL and writes
// its cells to the standard output as BiffChild::answer() says. The program
// runs it so that FreeXL's faults on damaged files end here, not there.

#include "biffchild.h"
#include "biffreader.h"

#include <QCoreApplication>
#include <QFile>

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2)
        return 2;
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return 3;
    const QByteArray answer = BiffChild::answer(BiffReader::readCopy(arguments.at(1)));
    return out.write(answer) == answer.size() && out.flush() ? 0 : 3;
}
