// SPDX-License-Identifier: GPL-3.0-or-later
#include "pupilcolumns.h"

#include <QHash>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// How far down a header row is looked for.
constexpr int HeaderSearchRows = 10;

enum class Role { Surname, GivenName, FullName, ClassName, Section };

// "Cognome", "COGNOME:", "Cógnome" all read "cognome".
QString plainWords(const QString &text)
{
    QString plain;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.isLetter())
            plain += c.toLower();
        else if (!c.isMark())
            plain += u' ';
    }
    return plain.simplified();
}

const QHash<QString, Role> &headerNames()
{
    static const QHash<QString, Role> names = {
        {u"cognome"_s, Role::Surname},         {u"nome"_s, Role::GivenName},
        {u"cognome e nome"_s, Role::FullName}, {u"cognome nome"_s, Role::FullName},
        {u"nome e cognome"_s, Role::FullName}, {u"alunno"_s, Role::FullName},
        {u"alunna"_s, Role::FullName},         {u"alunno a"_s, Role::FullName},
        {u"nominativo"_s, Role::FullName},     {u"nominativo alunno"_s, Role::FullName},
        {u"studente"_s, Role::FullName},       {u"studentessa"_s, Role::FullName},
        {u"studente ssa"_s, Role::FullName},   {u"classe"_s, Role::ClassName},
        {u"sezione"_s, Role::Section},         {u"sez"_s, Role::Section},
    };
    return names;
}

void assign(int &column, int index)
{
    if (column == PupilColumns::None)
        column = index;
}

std::optional<PupilColumns> fromHeader(const QStringList &cells)
{
    PupilColumns columns;
    for (int i = 0; i < cells.size(); ++i) {
        const auto role = headerNames().constFind(plainWords(cells.at(i)));
        if (role == headerNames().constEnd())
            continue;
        switch (*role) {
        case Role::Surname:
            assign(columns.surname, i);
            break;
        case Role::GivenName:
            assign(columns.givenName, i);
            break;
        case Role::FullName:
            assign(columns.fullName, i);
            break;
        case Role::ClassName:
            assign(columns.className, i);
            break;
        case Role::Section:
            assign(columns.section, i);
            break;
        }
    }
    if (columns.surname == PupilColumns::None && columns.fullName == PupilColumns::None) {
        // "Nome" alone holds the whole name.
        std::swap(columns.fullName, columns.givenName);
    }
    if (columns.surname == PupilColumns::None && columns.fullName == PupilColumns::None)
        return std::nullopt;
    if (columns.surname != PupilColumns::None)
        columns.fullName = PupilColumns::None;
    return columns;
}

bool isNumber(const QString &text)
{
    bool ok = false;
    QString plain = text.trimmed();
    plain.replace(u',', u'.');
    plain.toDouble(&ok);
    return ok;
}

// The first two columns holding something other than numbers.
PupilColumns withoutHeader(const QList<SheetRow> &rows)
{
    QList<int> wordy;
    for (const SheetRow &row : rows) {
        for (int i = 0; i < row.cells.size(); ++i) {
            const QString &cell = row.cells.at(i);
            if (!wordy.contains(i) && !cell.trimmed().isEmpty() && !isNumber(cell))
                wordy.append(i);
        }
    }
    std::sort(wordy.begin(), wordy.end());
    PupilColumns columns;
    if (!wordy.isEmpty())
        columns.surname = wordy.at(0);
    if (wordy.size() > 1)
        columns.givenName = wordy.at(1);
    return columns;
}

QString cell(const QStringList &cells, int column)
{
    return column >= 0 && column < cells.size() ? cells.at(column).simplified() : QString();
}

} // namespace

PupilColumns PupilColumns::find(const QList<SheetRow> &rows)
{
    for (int i = 0; i < rows.size() && i < HeaderSearchRows; ++i) {
        if (auto columns = fromHeader(rows.at(i).cells)) {
            columns->headerRow = i;
            return *columns;
        }
    }
    return withoutHeader(rows);
}

QStringList PupilColumns::nameParts(const QStringList &cells) const
{
    QStringList parts;
    for (int column : {fullName, surname, givenName}) {
        const QString part = cell(cells, column);
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts;
}

QString PupilColumns::classOf(const QStringList &cells) const
{
    const QString name = cell(cells, className);
    const QString letter = cell(cells, section);
    // A register that writes "3A" under Classe and "A" under Sezione.
    if (name.endsWith(letter, Qt::CaseInsensitive))
        return name;
    return name + letter;
}
