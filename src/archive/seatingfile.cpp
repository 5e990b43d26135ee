// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingfile.h"

#include "archivio.h"
#include "cp1252.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace SeatingFile {
namespace {

const QChar Comma = u',';
const QChar Space = u' ';
constexpr QByteArrayView LineEnd = "\r\n";
constexpr QByteArrayView ByteOrderMark = "\xEF\xBB\xBF";

// An editor that adds a mark to a file that has one already leaves two: the
// text starts after the last.
QByteArrayView withoutMarks(QByteArrayView bytes)
{
    while (bytes.startsWith(ByteOrderMark))
        bytes = bytes.sliced(ByteOrderMark.size());
    return bytes;
}

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes); // decoded only when made a string
    return !decoder.hasError();
}

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

using Kind = Problem::Kind;

Problem rowProblem(Kind kind, int row)
{
    Problem problem;
    problem.kind = kind;
    problem.row = row;
    return problem;
}

Problem fileProblem(Kind kind, qsizetype count = 0)
{
    Problem problem;
    problem.kind = kind;
    problem.count = count;
    return problem;
}

QStringView withoutSurroundingSpaces(QStringView text)
{
    while (!text.isEmpty() && text.front() == Space)
        text = text.sliced(1);
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
    name.replace(Comma, Space).replace(u'"', Space);
    return withoutSurroundingSpaces(name).toString();
}

// Reads one line into its row, recovering what it can so that no other row
// moves: a field loses the spaces around it. With several commas the last one ends the name; a line
// without a comma is a name whose desk is blank. Every mended line is reported
// with what was made of it; only a line with nothing in it stays fresh.
void readRow(QByteArrayView line, int row, Archivio &archivio, QList<Problem> &problems)
{
    const QString text = Cp1252::decode(line);
    const qsizetype comma = text.lastIndexOf(Comma);
    if (withoutSurroundingSpaces(text).isEmpty())
        return problems.append(rowProblem(Kind::EmptyLine, row));
    if (std::any_of(line.begin(), line.end(), Cp1252::isUndefined))
        problems.append(rowProblem(Kind::UndefinedBytes, row));
    if (comma < 0) {
        Problem noComma = rowProblem(Kind::NoComma, row);
        noComma.name = withoutSurroundingSpaces(text).toString();
        noComma.position = u"0"_s;
        archivio.setCell(row, Archivio::NameColumn, noComma.name);
        return problems.append(noComma);
    }
    QStringView position = withoutSurroundingSpaces(QStringView(text).sliced(comma + 1));
    if (!positionValue(position)) {
        Problem badPosition = rowProblem(Kind::BadPosition, row);
        badPosition.found = position.toString();
        problems.append(badPosition);
        position = u"0";
    }
    const QStringView rawName = QStringView(text).first(comma);
    QString name = withoutSurroundingSpaces(rawName).toString();
    if (rawName.contains(Comma)) {
        name = mendedName(rawName);
        Problem commas = rowProblem(Kind::SeveralCommas, row);
        commas.name = name;
        commas.position = position.toString();
        problems.append(commas);
    }
    archivio.setCell(row, Archivio::NameColumn, name);
    archivio.setCell(row, Archivio::PositionColumn, position.toString());
}

// A name longer than a name box holds is cut now, with a word, rather than
// silently by the box at the next store.
void cutLongName(int row, Archivio &archivio, QList<Problem> &problems)
{
    const QString &name = archivio.cell(row, Archivio::NameColumn);
    if (name.size() <= MaxNameLength)
        return;
    Problem longName = rowProblem(Kind::LongName, row);
    longName.count = name.size();
    problems.append(longName);
    archivio.setCell(row, Archivio::NameColumn, name.first(MaxNameLength));
}

// The first character of text the code page cannot hold, whole even when it
// lies outside the 16-bit range.
QString firstUnencodable(QStringView text)
{
    const qsizetype at =
        std::find_if_not(text.begin(), text.end(), Cp1252::canEncode) - text.begin();
    const bool pair = text[at].isHighSurrogate() && at + 1 < text.size();
    return text.sliced(at, pair ? 2 : 1).toString();
}

// UTF-8 contents turned into the Windows-1252 bytes this program reads, line
// by line with the same breaks; a line with a character the code page cannot
// hold is left empty and its character kept in lost.
struct Transcoded
{
    QByteArray bytes;
    QHash<int, QString> lost; // line (from 0): the character
};

Transcoded fromUtf8(QByteArrayView bytes)
{
    Transcoded out;
    LineSplitter splitter(bytes);
    Line line;
    for (int number = 0; splitter.next(&line); ++number) {
        const QString text = QString::fromUtf8(line.bytes);
        const std::optional<QByteArray> encoded = Cp1252::encode(text);
        if (encoded)
            out.bytes += *encoded;
        else
            out.lost.insert(number, firstUnencodable(text));
        if (line.ending == LineEnding::CrLf)
            out.bytes += LineEnd;
        else if (line.ending == LineEnding::Lone)
            out.bytes += '\n';
    }
    return out;
}

// What is wrong with the number of lines, if anything.
std::optional<Problem> lineCountProblem(qsizetype lines)
{
    if (lines < Archivio::Rows)
        return fileProblem(Kind::TooFewLines, lines);
    if (lines > Archivio::Rows)
        return fileProblem(Kind::ExtraLines, lines - Archivio::Rows);
    return std::nullopt;
}

// Reads Windows-1252 lines into the table; the lines in lost are not read.
void readLines(QByteArrayView bytes, const QHash<int, QString> &lost, Archivio &archivio,
               QList<Problem> &problems)
{
    LineSplitter splitter(bytes);
    Line line;
    qsizetype lines = 0;
    qsizetype badEnds = 0;
    while (splitter.next(&line)) {
        if (lines < Archivio::Rows) {
            const int row = int(lines);
            if (lost.contains(row)) {
                Problem notRead = rowProblem(Kind::NotInCodePage, row);
                notRead.found = lost.value(row);
                problems.append(notRead);
            } else {
                readRow(line.bytes, row, archivio, problems);
                cutLongName(row, archivio, problems);
            }
            if (line.ending != LineEnding::CrLf)
                ++badEnds;
        }
        ++lines;
    }
    if (const auto count = lineCountProblem(lines))
        problems.append(*count);
    if (badEnds > 0)
        problems.append(fileProblem(Kind::BadLineEnds, badEnds));
}

// What the save writes for a cell: empty cells get a stand-in so that no
// field is empty in the file.
const QString &writtenText(const QString &cell, int column)
{
    static const QString emptyName = u" "_s;
    static const QString emptyPosition = u"0"_s;
    if (!cell.isEmpty())
        return cell;
    return column == Archivio::NameColumn ? emptyName : emptyPosition;
}

} // namespace

QString fileName()
{
    return u"Posti.bq"_s;
}

QList<Problem> parse(const QByteArray &bytes, Archivio &archivio)
{
    archivio.initialise();
    QList<Problem> problems;
    const QByteArrayView text = withoutMarks(bytes);
    const bool marked = text.size() < bytes.size();
    if (isUtf8(bytes)) {
        problems.append(fileProblem(Kind::Utf8));
        const Transcoded transcoded = fromUtf8(text);
        readLines(transcoded.bytes, transcoded.lost, archivio, problems);
        return problems;
    }
    // A mark before text that is not UTF-8: an editor added it to a
    // Windows-1252 file, whose rows are all there after it.
    if (marked)
        problems.append(fileProblem(Kind::MarkBeforeWindowsText));
    readLines(text, {}, archivio, problems);
    return problems;
}

bool isUtf8(QByteArrayView bytes)
{
    if (bytes.startsWith(ByteOrderMark))
        return isValidUtf8(withoutMarks(bytes));
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return false;
    return isValidUtf8(bytes);
}

bool mostlyUnread(const QList<Problem> &problems)
{
    qsizetype lines = Archivio::Rows;
    qsizetype ignored = 0;
    QSet<int> unreadRows;
    for (const Problem &problem : problems) {
        if (problem.kind == Kind::TooFewLines)
            lines = problem.count;
        else if (problem.kind == Kind::ExtraLines)
            ignored = problem.count;
        else if (problem.row >= 0 && problem.kind != Kind::UndefinedBytes)
            unreadRows.insert(problem.row);
    }
    return 2 * (unreadRows.size() + ignored) > lines + ignored;
}

bool canStore(QChar c)
{
    return c != Comma && c != u'\r' && c != u'\n' && Cp1252::canEncode(c);
}

bool isNameCharacter(QChar c)
{
    return canStore(c) && c != u'"' && c.category() != QChar::Other_Control;
}

QByteArray serialize(const Archivio &archivio, Unstorable *unstorable)
{
    QByteArray bytes;
    for (int row = 0; row < Archivio::Rows; ++row) {
        for (int column = 0; column < Archivio::Columns; ++column) {
            const QString &text = writtenText(archivio.cell(row, column), column);
            const auto bad = std::find_if_not(text.begin(), text.end(), canStore);
            if (bad != text.end()) {
                if (unstorable)
                    *unstorable = {row, column, text, *bad};
                return QByteArray();
            }
            bytes += *Cp1252::encode(text);
            bytes += column == Archivio::NameColumn ? QByteArrayView(",") : LineEnd;
        }
    }
    return bytes;
}

} // namespace SeatingFile
