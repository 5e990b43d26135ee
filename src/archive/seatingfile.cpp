// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingfile.h"

#include "archivio.h"
#include "cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace SeatingFile {
namespace {

// A real file is a few kilobytes; anything this big is not one, and reading
// it whole could exhaust memory.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

// Row problems listed one by one before the rest are only counted.
constexpr int MaxRowProblems = 10;

// Longest piece of a damaged line quoted in a problem.
constexpr qsizetype MaxQuoted = 30;

const QLatin1Char Comma(',');
const QLatin1Char Space(' ');
const QByteArray LineEnd = QByteArrayLiteral("\r\n");

enum class LineEnding { CrLf, Lone, Missing };

struct Line
{
    QByteArrayView bytes;
    LineEnding ending = LineEnding::Missing;
};

// Cuts the file into lines at CR LF, and also at a lone CR or LF, so that a
// line end damaged by another editor neither joins nor splits rows.
class LineSplitter
{
public:
    explicit LineSplitter(QByteArrayView bytes)
        : m_bytes(bytes)
    {}

    bool next(Line *line);

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

bool LineSplitter::next(Line *line)
{
    const qsizetype size = m_bytes.size();
    if (m_pos >= size)
        return false;
    const auto isBreak = [](char c) {
        return c == '\r' || c == '\n';
    };
    const auto end =
        std::find_if(m_bytes.begin() + m_pos, m_bytes.end(), isBreak) - m_bytes.begin();
    line->bytes = m_bytes.sliced(m_pos, end - m_pos);
    if (end == size) {
        line->ending = LineEnding::Missing;
        m_pos = end;
    } else if (m_bytes[end] == '\r' && end + 1 < size && m_bytes[end + 1] == '\n') {
        line->ending = LineEnding::CrLf;
        m_pos = end + 2;
    } else {
        line->ending = LineEnding::Lone;
        m_pos = end + 1;
    }
    return true;
}

// Gathers what a load found wrong and turns it into a LoadResult, keeping the
// list short enough to show in a message box.
class Report
{
public:
    void fileProblem(const QString &what) { m_fileProblems.append(what); }
    void rowProblem(int row, const QString &what);
    void lineCount(qsizetype lines);
    void lineEnds(qsizetype badEnds);
    LoadResult result() const;

private:
    QList<int> m_rows;
    QStringList m_fileProblems;
    QStringList m_rowProblems;
    int m_unlisted = 0;
};

void Report::rowProblem(int row, const QString &what)
{
    if (m_rows.isEmpty() || m_rows.last() != row)
        m_rows.append(row);
    if (m_rowProblems.size() < MaxRowProblems)
        m_rowProblems.append(QStringLiteral("riga %1: %2").arg(row + 1).arg(what));
    else
        ++m_unlisted;
}

void Report::lineCount(qsizetype lines)
{
    if (lines < Archivio::Rows) {
        for (int row = int(lines); row < Archivio::Rows; ++row)
            m_rows.append(row);
        m_fileProblems.append(lines == 0 ? QStringLiteral("il file è vuoto")
                                         : QStringLiteral("il file ha solo %1 righe su %2: "
                                                          "le altre sono vuote")
                                               .arg(lines)
                                               .arg(Archivio::Rows));
    } else if (lines == Archivio::Rows + 1) {
        m_fileProblems.append(
            QStringLiteral("il file ha una riga in più delle %1 previste: ignorata")
                .arg(Archivio::Rows));
    } else if (lines > Archivio::Rows) {
        m_fileProblems.append(
            QStringLiteral("il file ha %1 righe in più delle %2 previste: ignorate")
                .arg(lines - Archivio::Rows)
                .arg(Archivio::Rows));
    }
}

void Report::lineEnds(qsizetype badEnds)
{
    if (badEnds == 1) {
        m_fileProblems.append(QStringLiteral("una riga non termina con CR LF: letta lo stesso"));
    } else if (badEnds > 1) {
        m_fileProblems.append(
            QStringLiteral("%1 righe non terminano con CR LF: lette lo stesso").arg(badEnds));
    }
}

LoadResult Report::result() const
{
    LoadResult result;
    result.damagedRows = m_rows;
    result.problems = m_fileProblems + m_rowProblems;
    if (m_unlisted == 1)
        result.problems.append(QStringLiteral("… e un altro problema"));
    else if (m_unlisted > 1)
        result.problems.append(QStringLiteral("… e altri %1 problemi").arg(m_unlisted));
    result.status =
        result.problems.isEmpty() ? LoadResult::Status::Loaded : LoadResult::Status::Damaged;
    return result;
}

QString quoted(QStringView text)
{
    if (text.size() <= MaxQuoted)
        return QStringLiteral("«%1»").arg(text);
    return QStringLiteral("«%1…»").arg(text.first(MaxQuoted));
}

QStringView withoutLeadingSpaces(QStringView text)
{
    while (!text.isEmpty() && text.front() == Space)
        text = text.sliced(1);
    return text;
}

QStringView withoutSurroundingSpaces(QStringView text)
{
    text = withoutLeadingSpaces(text);
    while (!text.isEmpty() && text.back() == Space)
        text.chop(1);
    return text;
}

// A name from a line with several commas: the commas were in the name, which
// the format cannot hold, and a double quote would start a quoted field for
// other readers of the file; both become spaces.
QString mendedName(QStringView text)
{
    QString name = text.toString();
    name.replace(Comma, Space).replace(QLatin1Char('"'), Space);
    return withoutSurroundingSpaces(name).toString();
}

// Reads one line into its row, recovering what it can so that no other row
// moves: a field starts after its leading spaces, and the name also loses its
// trailing ones. With several commas the last one ends the name; a line
// without a comma is a name whose desk is blank. Every mended line is reported
// with what was made of it; only a line with nothing in it stays fresh.
void readRow(QByteArrayView line, int row, Archivio &archivio, Report &report)
{
    const QString text = Cp1252::decode(line);
    const qsizetype comma = text.lastIndexOf(Comma);
    if (withoutSurroundingSpaces(text).isEmpty())
        return report.rowProblem(row, QStringLiteral("riga vuota"));
    if (std::any_of(line.begin(), line.end(), Cp1252::isUndefined))
        report.rowProblem(row, QStringLiteral("caratteri sconosciuti: tenuti come sono"));
    if (comma < 0) {
        const QString name = withoutSurroundingSpaces(text).toString();
        report.rowProblem(
            row,
            QStringLiteral("manca la virgola: letta come nome %1, banco vuoto").arg(quoted(name)));
        archivio.setCell(row, Archivio::NameColumn, name);
        return;
    }
    QStringView position = withoutLeadingSpaces(QStringView(text).sliced(comma + 1));
    if (!positionValue(position)) {
        report.rowProblem(
            row, QStringLiteral("posizione %1 non valida: messa a 0").arg(quoted(position)));
        position = u"0";
    }
    const QStringView rawName = QStringView(text).first(comma);
    QString name = withoutSurroundingSpaces(rawName).toString();
    if (rawName.contains(Comma)) {
        name = mendedName(rawName);
        report.rowProblem(row,
                          QStringLiteral("più di una virgola: letta come nome %1 "
                                         "(virgole e virgolette diventate spazi), posizione %2")
                              .arg(quoted(name), position));
    }
    archivio.setCell(row, Archivio::NameColumn, name);
    archivio.setCell(row, Archivio::PositionColumn, position.toString());
}

// A name longer than a name box holds is cut now, with a word, rather than
// silently by the box at the next store.
void cutLongName(int row, Archivio &archivio, Report &report)
{
    const QString &name = archivio.cell(row, Archivio::NameColumn);
    if (name.size() <= MaxNameLength)
        return;
    report.rowProblem(row, QStringLiteral("nome di %1 caratteri, più di quanti ne stiano in una "
                                          "casella: tenuti i primi %2")
                               .arg(name.size())
                               .arg(MaxNameLength));
    archivio.setCell(row, Archivio::NameColumn, name.first(MaxNameLength));
}

// How a message names a character that may lie outside the 16-bit range.
QString namedCharacter(QStringView text, qsizetype at)
{
    const bool pair = text[at].isHighSurrogate() && at + 1 < text.size();
    const char32_t code =
        pair ? QChar::surrogateToUcs4(text[at], text[at + 1]) : text[at].unicode();
    return QStringLiteral("«%1» (U+%2)")
        .arg(text.sliced(at, pair ? 2 : 1))
        .arg(uint(code), 4, 16, QLatin1Char('0'))
        .toUpper();
}

// UTF-8 contents turned into the Windows-1252 bytes this program reads, line
// by line with the same breaks; a line with a character the code page cannot
// hold is left empty and named in lost.
struct Transcoded
{
    QByteArray bytes;
    QHash<int, QString> lost; // line (from 0): the character
};

Transcoded fromUtf8(QByteArrayView bytes)
{
    Transcoded out;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    LineSplitter splitter(bytes);
    Line line;
    for (int number = 0; splitter.next(&line); ++number) {
        const QString text = QString::fromUtf8(line.bytes);
        const std::optional<QByteArray> encoded = Cp1252::encode(text);
        if (encoded) {
            out.bytes += *encoded;
        } else {
            const auto bad = std::find_if_not(text.begin(), text.end(), Cp1252::canEncode);
            out.lost.insert(number, namedCharacter(text, bad - text.begin()));
        }
        if (line.ending == LineEnding::CrLf)
            out.bytes += LineEnd;
        else if (line.ending == LineEnding::Lone)
            out.bytes += '\n';
    }
    return out;
}

// Reads Windows-1252 lines into the table; the lines in lost are not read.
void readLines(QByteArrayView bytes, const QHash<int, QString> &lost, Archivio &archivio,
               Report &report)
{
    LineSplitter splitter(bytes);
    Line line;
    qsizetype lines = 0;
    qsizetype badEnds = 0;
    while (splitter.next(&line)) {
        if (lines < Archivio::Rows) {
            const int row = int(lines);
            if (lost.contains(row)) {
                report.rowProblem(row, QStringLiteral("contiene %1, che il file non può "
                                                      "contenere: riga non letta")
                                           .arg(lost.value(row)));
            } else {
                readRow(line.bytes, row, archivio, report);
                cutLongName(row, archivio, report);
            }
            if (line.ending != LineEnding::CrLf)
                ++badEnds;
        }
        ++lines;
    }
    report.lineCount(lines);
    report.lineEnds(badEnds);
}

// The save's temporary files end in six ASCII letters. A suffix of one case
// only ("….backup") is more likely the teacher's; leaving one of ours behind
// is harmless.
bool isOurTemporarySuffix(QStringView suffix)
{
    const auto lower =
        std::count_if(suffix.begin(), suffix.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
    const auto upper =
        std::count_if(suffix.begin(), suffix.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
    return lower > 0 && upper > 0 && lower + upper == suffix.size();
}

LoadResult unreadable(const QString &reason, Archivio &archivio,
                      LoadResult::Status status = LoadResult::Status::Unreadable)
{
    archivio.initialise();
    LoadResult result;
    result.status = status;
    result.errorString = reason;
    return result;
}

// What the save writes for a cell: empty cells get a stand-in so that no
// field is empty in the file.
const QString &writtenText(const QString &cell, int column)
{
    static const QString emptyName = QStringLiteral(" ");
    static const QString emptyPosition = QStringLiteral("0");
    if (!cell.isEmpty())
        return cell;
    return column == Archivio::NameColumn ? emptyName : emptyPosition;
}

// Why text cannot be saved in its cell, or an empty string.
QString storeFault(const QString &text, int row, int column)
{
    const auto bad = std::find_if_not(text.begin(), text.end(), canStore);
    if (bad == text.end())
        return QString();
    const QString what =
        column == Archivio::NameColumn ? QStringLiteral("il nome") : QStringLiteral("la posizione");
    const QString character =
        *bad == Comma ? QStringLiteral("una virgola")
                      : QStringLiteral("un carattere che il file non può contenere (%1)")
                            .arg(Cp1252::codePoint(*bad));
    return QStringLiteral("riga %1: %2 %3 contiene %4")
        .arg(row + 1)
        .arg(what, quoted(text), character);
}

// Whether path holds a regular file or nothing, as what is written or copied
// must; otherwise the reason goes to errorString.
bool isFileOrNothing(const QString &path, QString *errorString)
{
    const QString notAFile = whyNotAFile(path);
    if (!notAFile.isEmpty() && errorString)
        *errorString = notAFile;
    return notAFile.isEmpty();
}

// Writes until all bytes are out or the system refuses. A short write comes
// back without a reason; the next attempt fails with the system's own.
bool writeAll(QSaveFile &file, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qint64 written = file.write(bytes.data(), bytes.size());
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

} // namespace

QString fileName()
{
    return QStringLiteral("Posti.bq");
}

LoadResult load(const QString &path, Archivio &archivio)
{
    // Checked before opening: opening a FIFO waits for a writer for ever.
    const QString notAFile = whyNotAFile(path);
    if (!notAFile.isEmpty())
        return unreadable(notAFile, archivio, LoadResult::Status::NotAFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(path)) {
            archivio.initialise();
            return LoadResult{};
        }
        return unreadable(file.errorString(), archivio);
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return unreadable(file.errorString(), archivio);
    if (bytes.size() > MaxFileSize)
        return unreadable(QStringLiteral("il file è troppo grande per essere un file dei posti"),
                          archivio);
    return parse(bytes, archivio);
}

LoadResult parse(const QByteArray &bytes, Archivio &archivio)
{
    archivio.initialise();
    Report report;
    if (!isUtf8(bytes)) {
        readLines(bytes, {}, archivio, report);
        return report.result();
    }
    report.fileProblem(QStringLiteral("il file era scritto in UTF-8 da un altro programma: è "
                                      "stato letto come tale, e alla chiusura verrà riscritto "
                                      "in Windows-1252 come sempre"));
    const Transcoded transcoded = fromUtf8(bytes);
    readLines(transcoded.bytes, transcoded.lost, archivio, report);
    return report.result();
}

bool isUtf8(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes); // decoded only when made a string
    return !decoder.hasError();
}

QString resolvedPath(const QString &path)
{
    // As QSaveFile does: a chain of links is followed, a loop is left as it is.
    constexpr int MaxLinks = 128;
    QFileInfo info(path);
    for (int n = 0; n < MaxLinks && info.isSymLink(); ++n)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

QString whyNotAFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return QString();
    if (info.isDir())
        return QStringLiteral("al posto del file c'è una cartella con lo stesso nome");
    return QStringLiteral("al posto del file c'è un file speciale (un dispositivo, una FIFO o un "
                          "socket), che il programma non legge e non sostituisce");
}

void removeStaleTemporaries(const QString &path)
{
    const QFileInfo target(resolvedPath(path));
    QDir folder = target.absoluteDir();
    const QStringList found = folder.entryList({target.fileName() + QStringLiteral(".??????")},
                                               QDir::Files | QDir::Hidden);
    for (const QString &name : found) {
        if (isOurTemporarySuffix(QStringView(name).last(6)))
            folder.remove(name);
    }
}

bool canStore(QChar c)
{
    return c != Comma && c != u'\r' && c != u'\n' && Cp1252::canEncode(c);
}

bool isNameCharacter(QChar c)
{
    return canStore(c) && c != u'"' && c.category() != QChar::Other_Control;
}

QByteArray serialize(const Archivio &archivio, QString *errorString)
{
    QByteArray bytes;
    for (int row = 0; row < Archivio::Rows; ++row) {
        for (int column = 0; column < Archivio::Columns; ++column) {
            const QString &text = writtenText(archivio.cell(row, column), column);
            const QString fault = storeFault(text, row, column);
            if (!fault.isEmpty()) {
                if (errorString)
                    *errorString = fault;
                return QByteArray();
            }
            bytes += *Cp1252::encode(text);
            bytes += column == Archivio::NameColumn ? QByteArrayLiteral(",") : LineEnd;
        }
    }
    return bytes;
}

bool save(const QString &path, const Archivio &archivio, QString *errorString)
{
    if (!isFileOrNothing(path, errorString))
        return false;
    const QByteArray bytes = serialize(archivio, errorString);
    if (bytes.isEmpty())
        return false;
    // Unbuffered, so that every short write shows up in writeAll() instead of
    // in the flush on commit, whose failure QSaveFile does not always report.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeAll(file, bytes) &&
        file.commit()) {
        return true;
    }
    if (errorString) {
        *errorString = file.errorString();
        if (errorString->isEmpty())
            *errorString = QStringLiteral("scrittura non riuscita");
    }
    return false; // an uncommitted QSaveFile discards its temporary file
}

QString backupOriginal(const QString &path, QString *errorString)
{
    return backupOriginal(path, QFileInfo(path).absolutePath(), errorString);
}

QString backupOriginal(const QString &path, const QString &folder, QString *errorString)
{
    // Far more copies than anyone keeps; the bound only stops a runaway loop.
    constexpr int MaxCopies = 1000;
    // Copying reads to the end: a FIFO waits for a writer for ever, and a
    // device such as a zero device has no end.
    if (!isFileOrNothing(path, errorString))
        return QString();
    QFile original(path);
    const QString firstCopy =
        QDir(folder).filePath(QFileInfo(path).fileName() + QStringLiteral(".bak"));
    for (int n = 1; n <= MaxCopies; ++n) {
        QString copy = firstCopy;
        if (n > 1)
            copy += QLatin1Char('.') + QString::number(n);
        const QFileInfo info(copy);
        if (info.exists() || info.isSymLink())
            continue;
        if (original.copy(copy))
            return copy;
        if (errorString)
            *errorString = original.errorString();
        return QString();
    }
    if (errorString)
        *errorString = QStringLiteral("troppe copie di %1").arg(QFileInfo(path).fileName());
    return QString();
}

} // namespace SeatingFile
