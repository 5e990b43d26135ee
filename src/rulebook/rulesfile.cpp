// SPDX-License-Identifier: GPL-3.0-or-later
#include "rulesfile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace RulesFile {

namespace {

using Kind = SeatingRule::Kind;

const QString Header = u"Posti-regole versione "_s;
constexpr QChar Separator = u'\t';

struct KindWord
{
    Kind kind;
    QLatin1StringView word;
};
constexpr KindWord KindWords[] = {
    {Kind::Separati, "separati"_L1},
    {Kind::Compagni, "compagni di banco"_L1},
    {Kind::Davanti, "davanti"_L1},
    {Kind::BancoFisso, "banco fisso"_L1},
};

// A whole decimal number from first to last, or none.
std::optional<int> number(const QString &field, int first, int last)
{
    bool ok = false;
    const int value = field.toInt(&ok);
    if (!ok || value < first || value > last || field != QString::number(value))
        return std::nullopt;
    return value;
}

// A rule of a class, from the fields of one line; false when they make none.
// A newer version may add fields after those this one knows.
bool ruleFrom(const QStringList &fields, bool newer, int *tab, NamedRule *named)
{
    if (fields.size() < 5)
        return false;
    const auto classNumber = number(fields[0], 1, RuleBook::Classes);
    const auto slot = number(fields[2], 1, Room::Desks);
    const auto *found = std::find_if(std::begin(KindWords), std::end(KindWords),
                                     [&](const KindWord &k) { return fields[1] == k.word; });
    if (!classNumber || !slot || found == std::end(KindWords))
        return false;
    *tab = *classNumber;
    named->rule.kind = found->kind;
    named->rule.pupil = *slot - 1;
    named->name = fields[3];
    const bool twoPupils = named->rule.hasTwoPupils();
    const qsizetype expected = twoPupils ? 6 : 5;
    if (fields.size() < expected || (fields.size() > expected && !newer))
        return false;
    std::optional<int> value;
    switch (found->kind) {
    case Kind::Davanti:
        value = number(fields[4], 1, SeatingRule::MaxRows);
        break;
    case Kind::BancoFisso:
        value = number(fields[4], 1, Room::Desks);
        break;
    default:
        value = number(fields[4], 1, Room::Desks);
        if (value == *slot)
            return false;
        named->otherName = fields[5];
        break;
    }
    if (!value)
        return false;
    named->rule.value = found->kind == Kind::Davanti ? *value : *value - 1;
    return true;
}

// Separati and Compagni di banco say the same whichever pupil comes first.
bool sameRule(const SeatingRule &a, const SeatingRule &b)
{
    return a == b ||
           (a.hasTwoPupils() && a.kind == b.kind && a.pupil == b.value && a.value == b.pupil);
}

bool contains(const ClassRules &rules, const SeatingRule &rule)
{
    return std::any_of(rules.begin(), rules.end(),
                       [&](const NamedRule &named) { return sameRule(named.rule, rule); });
}

// The version a header line names, or none.
std::optional<int> headerVersion(const QString &line)
{
    if (!line.startsWith(Header))
        return std::nullopt;
    return number(line.mid(Header.size()), 1, std::numeric_limits<int>::max());
}

// A name on one field: what would end a field or a line becomes a space.
QString field(QString name)
{
    for (QChar &c : name) {
        if (c == Separator || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return name;
}

} // namespace

QString fileNameFor(const QString &seatingFileName)
{
    return QFileInfo(seatingFileName).completeBaseName() + u"-regole.txt"_s;
}

ReadResult parse(const QByteArray &bytes)
{
    ReadResult result;
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    const QList<QByteArray> lines = (marked ? bytes.sliced(3) : bytes).split('\n');
    for (qsizetype index = 0; index < lines.size(); ++index) {
        QByteArrayView raw = lines[index];
        if (raw.endsWith('\r'))
            raw.chop(1);
        const int lineNumber = int(index + 1);
        QStringDecoder decoder(QStringDecoder::Utf8);
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
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        int tab = 0;
        NamedRule named;
        if (!ruleFrom(line.split(Separator), result.isNewer(), &tab, &named)) {
            result.problems.append({Problem::Kind::BadLine, lineNumber, line});
        } else if (contains(result.book.rules(tab), named.rule)) {
            result.problems.append({Problem::Kind::Duplicate, lineNumber, line});
        } else {
            ClassRules rules = result.book.rules(tab);
            rules.append(named);
            result.book.setRules(tab, rules);
        }
    }
    return result;
}

QByteArray serialize(const RuleBook &book)
{
    QString text = Header + QString::number(Version) + u"\r\n"_s;
    text += u"# Una regola per riga, i campi separati da un tabulatore: classe (1-10),\r\n"
            u"# regola, posto dell'alunno (1-30) e nome, poi per \"separati\" e \"compagni di\r\n"
            u"# banco\" posto e nome dell'altro alunno, per \"davanti\" le file (1-4), per\r\n"
            u"# \"banco fisso\" il banco (1-30).\r\n"_s;
    for (int tab = 1; tab <= RuleBook::Classes; ++tab) {
        for (const NamedRule &named : book.rules(tab)) {
            const SeatingRule &rule = named.rule;
            const auto *kind = std::find_if(std::begin(KindWords), std::end(KindWords),
                                            [&](const KindWord &k) { return k.kind == rule.kind; });
            if (kind == std::end(KindWords))
                continue; // not a teacher's rule: never kept
            QStringList fields{QString::number(tab), kind->word, QString::number(rule.pupil + 1),
                               field(named.name)};
            if (rule.hasTwoPupils())
                fields << QString::number(rule.value + 1) << field(named.otherName);
            else
                fields << QString::number(rule.kind == Kind::Davanti ? rule.value : rule.value + 1);
            text += fields.join(Separator) + u"\r\n"_s;
        }
    }
    return text.toUtf8();
}

} // namespace RulesFile
