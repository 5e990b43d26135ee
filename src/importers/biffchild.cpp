// SPDX-License-Identifier: GPL-3.0-or-later
#include "biffchild.h"

#include "importmessages.h"
#include "modulefolders.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace BiffChild {
namespace {

// Ten thousand rows of 256 cells, each a few words: more is not an answer
// to a class list.
constexpr qsizetype MaxAnswerBytes = 32 * 1024 * 1024;

QString oneLine(const QString &text)
{
    return text.simplified();
}

Workbook run(const QString &helper, const QString &copy, int timeLimitMs)
{
    QProcess child;
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(helper, {copy});
    if (!child.waitForStarted())
        return Workbook::failure(ImportMessages::xlsReaderMissing());
    const QDeadlineTimer deadline(timeLimitMs);
    QByteArray out;
    while (child.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        child.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)));
        out += child.readAllStandardOutput();
        if (out.size() > MaxAnswerBytes)
            break;
    }
    if (child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished();
        return Workbook::failure(out.size() > MaxAnswerBytes ? ImportMessages::xlsReaderStopped()
                                                             : ImportMessages::xlsTooSlow());
    }
    out += child.readAllStandardOutput();
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return Workbook::failure(ImportMessages::xlsReaderStopped());
    return fromAnswer(out);
}

} // namespace

QString findHelper()
{
    return QStandardPaths::findExecutable(u"posti-xls"_s, ModuleFolders::all());
}

Workbook read(const QByteArray &bytes, const QString &helper, int timeLimitMs)
{
    if (helper.isEmpty())
        return Workbook::failure(ImportMessages::xlsReaderMissing());
    const QTemporaryDir folder;
    QFile copy(folder.filePath(u"elenco.xls"_s));
    if (!folder.isValid() || !copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size())
        return Workbook::failure(ImportMessages::cannotOpen(copy.errorString()));
    copy.close();
    return run(helper, copy.fileName(), timeLimitMs);
}

QByteArray answer(const Workbook &workbook)
{
    if (!workbook.error.isEmpty())
        return "E\t" + oneLine(workbook.error).toUtf8() + '\n';
    QByteArray out;
    for (const Sheet &sheet : workbook.sheets) {
        out += "S\t" + oneLine(sheet.name).toUtf8() + '\n';
        for (const SheetRow &row : sheet.rows) {
            out += "R\t" + QByteArray::number(row.line);
            for (const QString &cell : row.cells)
                out += '\t' + oneLine(cell).toUtf8();
            out += '\n';
        }
    }
    return out;
}

// Read as strictly as it is written: whatever else comes back is a reader
// that went wrong, and the file is called damaged.
Workbook fromAnswer(QByteArray answer)
{
    // A Windows standard output in text mode ends its lines with CR LF.
    answer.replace("\r\n", "\n");
    const Workbook damaged =
        Workbook::failure(ImportMessages::damaged(ImportMessages::xlsFormat()));
    if (!answer.endsWith('\n'))
        return damaged;
    Workbook workbook;
    for (const QByteArray &line : answer.chopped(1).split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        const QByteArray &kind = fields.first();
        if (kind == "E" && fields.size() == 2 && workbook.sheets.isEmpty() && !fields[1].isEmpty())
            return Workbook::failure(QString::fromUtf8(fields[1]));
        if (kind == "S" && fields.size() == 2 && workbook.sheets.size() < 256) {
            workbook.sheets.append(Sheet{QString::fromUtf8(fields[1]), {}});
            continue;
        }
        bool number = false;
        const int row = fields.value(1).toInt(&number);
        if (kind != "R" || !number || row < 1 || fields.size() < 3 ||
            fields.size() - 2 > ImportLimits::MaxColumns || workbook.sheets.isEmpty() ||
            workbook.sheets.constLast().isFull())
            return damaged;
        QStringList cells;
        for (qsizetype i = 2; i < fields.size(); ++i)
            cells.append(QString::fromUtf8(fields[i]));
        workbook.sheets.last().addRow(row, std::move(cells));
    }
    if (workbook.sheets.isEmpty())
        return Workbook::failure(ImportMessages::noSheet());
    return workbook;
}

} // namespace BiffChild
