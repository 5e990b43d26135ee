// SPDX-License-Identifier: GPL-3.0-or-later
#include "historyfile.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace HistoryFile {

namespace {

const QString Header = u"Posti-cronologia versione "_s;
const QString Comment = u"# classe\tdata\tbanco 1 … banco 30"_s;
constexpr QChar Separator = u'\t';
constexpr int DeskField = 2;
const QString BlankDesk = u"-"_s;
const QString FormerPupil = u"- "_s;
const QString MarkedDesk = u"*"_s;
const QString DateFormat = u"yyyy-MM-dd"_s;

// A whole decimal number from first to last, or none.
std::optional<int> number(QStringView field, int first, int last)
{
    bool ok = false;
    const int value = field.toInt(&ok);
    if (!ok || value < first || value > last || field != QString::number(value))
        return std::nullopt;
    return value;
}

// A desk's field into the plan; false when it is none this version writes.
bool readDesk(const QString &field, int desk, quint32 &seated, Plan &plan)
{
    if (field == BlankDesk)
        return true;
    if (field.startsWith(FormerPupil)) {
        plan.nameAt[desk] = field.mid(FormerPupil.size());
        return true;
    }
    if (field == MarkedDesk) {
        plan.marked |= Room::bit(desk);
        return true;
    }
    const qsizetype space = field.indexOf(u' ');
    const auto slot = number(QStringView(field).left(space), 1, Room::Desks);
    if (!slot || space < 0)
        return false;
    const quint32 bit = quint32(1) << (*slot - 1);
    if (seated & bit)
        return false; // a pupil twice
    seated |= bit;
    plan.pupilAt[desk] = *slot - 1;
    plan.nameAt[desk] = field.mid(space + 1);
    return true;
}

// A plan of a class from the fields of one line; false when they make none.
bool planFrom(const QStringList &fields, bool newer, int &tab, Plan &plan)
{
    constexpr int expected = DeskField + Room::Desks;
    if (fields.size() < expected || (fields.size() > expected && !newer))
        return false;
    const auto classNumber = number(fields[0], 1, Archivio::Classes);
    plan.date = QDate::fromString(fields[1], DateFormat);
    if (!classNumber || !plan.date.isValid() || plan.date.toString(DateFormat) != fields[1])
        return false;
    tab = *classNumber;
    quint32 seated = 0;
    for (int desk = 0; desk < Room::Desks; ++desk) {
        if (!readDesk(fields[DeskField + desk], desk, seated, plan))
            return false;
    }
    return true;
}

// The version named by a header line, or none.
std::optional<int> headerVersion(const QString &line)
{
    if (!line.startsWith(Header))
        return std::nullopt;
    return number(QStringView(line).mid(Header.size()), 1, std::numeric_limits<int>::max());
}

QString fieldOf(const Plan &plan, int desk)
{
    if (plan.marked & Room::bit(desk))
        return MarkedDesk;
    QString name = plan.nameAt[desk];
    for (QChar &c : name) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    if (plan.pupilAt[desk] == Plan::Blank)
        return name.isEmpty() ? BlankDesk : FormerPupil + name;
    return QString::number(plan.pupilAt[desk] + 1) + u' ' + name;
}

} // namespace

QString fileNameFor(const QString &seatingFileName)
{
    return QFileInfo(seatingFileName).completeBaseName() + u"-cronologia.txt"_s;
}

ReadResult parse(const QByteArray &bytes)
{
    ReadResult result;
    std::array<QList<Plan>, Archivio::Classes> plans;
    // The decoder skips a byte order mark.
    const QList<QByteArray> lines = bytes.split('\n');
    for (int index = 0; index < lines.size(); ++index) {
        QByteArray raw = lines[index];
        if (raw.endsWith('\r'))
            raw.chop(1);
        const int lineNumber = index + 1;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = decoder.decode(raw);
        if (decoder.hasError()) {
            result.problems.append({Problem::Kind::NotUtf8, lineNumber, line});
            continue;
        }
        if (index == 0) {
            if (const auto version = headerVersion(line)) {
                result.version = *version;
                continue;
            }
            result.problems.append({Problem::Kind::NoHeader, lineNumber, line});
        }
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        int tab = 0;
        Plan plan;
        if (planFrom(line.split(Separator), result.isNewer(), tab, plan))
            plans[tab - 1].append(plan);
        else
            result.problems.append({Problem::Kind::BadLine, lineNumber, line});
    }
    for (int i = 0; i < Archivio::Classes; ++i)
        result.histories[i].restore(plans[i]);
    return result;
}

QByteArray serialize(const Histories &histories)
{
    QString text = Header + QString::number(Version) + u"\r\n"_s + Comment + u"\r\n"_s;
    for (int i = 0; i < Archivio::Classes; ++i) {
        for (const Plan &plan : histories[i].plans()) {
            text += QString::number(i + 1) + Separator + plan.date.toString(DateFormat);
            for (int desk = 0; desk < Room::Desks; ++desk)
                text += Separator + fieldOf(plan, desk);
            text += u"\r\n"_s;
        }
    }
    return text.toUtf8();
}

} // namespace HistoryFile
