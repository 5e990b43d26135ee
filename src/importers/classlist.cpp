// SPDX-License-Identifier: GPL-3.0-or-later
#include "classlist.h"

#include "importmessages.h"
#include "letterfold.h"
#include "namecase.h"
#include "pupilcolumns.h"
#include "textreader.h"

#include <QHash>

namespace ClassListReader {
namespace {

struct Pupil
{
    QString name; // empty when the row yields none
    QString className;
    QList<ImportChange> changes;
};

// Each part folded, then written as a name: a letter the case rules know
// nothing of (Turkish İ, Cyrillic) is a plain one by then.
Pupil readRow(const PupilColumns &columns, const SheetRow &row)
{
    using Kind = ImportChange::Kind;
    Pupil pupil;
    QStringList folded;
    QStringList cased;
    QString lost;
    for (const QString &part : columns.nameParts(row.cells)) {
        const LetterFold::Result fold = LetterFold::fold(part);
        folded.append(fold.text);
        cased.append(NameCase::asName(fold.text));
        lost += fold.lost;
    }
    const QString written = columns.nameParts(row.cells).join(u' ');
    const QString plain = folded.join(u' ').simplified();
    const QString name = cased.join(u' ').simplified();
    if (!lost.isEmpty())
        pupil.changes.append({Kind::NotImported, row.line, written, lost});
    else if (name.isEmpty())
        pupil.changes.append({Kind::Skipped, row.line, written, QString()});
    else
        pupil.name = name;
    if (!pupil.name.isEmpty() && plain != written)
        pupil.changes.append({Kind::Folded, row.line, written, plain});
    if (!pupil.name.isEmpty() && name != plain)
        pupil.changes.append({Kind::Capitals, row.line, plain, name});
    if (columns.hasClass())
        pupil.className = LetterFold::fold(columns.classOf(row.cells)).text;
    return pupil;
}

QList<Pupil> readPupils(const Sheet &sheet)
{
    const PupilColumns columns = PupilColumns::find(sheet.rows);
    QList<Pupil> pupils;
    for (int i = columns.headerRow + 1; i < sheet.rows.size(); ++i)
        pupils.append(readRow(columns, sheet.rows.at(i)));
    return pupils;
}

} // namespace

ClassList read(const Sheet &sheet)
{
    ClassList list;
    QHash<QString, qsizetype> classIndex;
    bool anyName = false;
    for (Pupil &pupil : readPupils(sheet)) {
        // A row with no name opens no class of its own.
        const bool opens =
            !pupil.name.isEmpty() || pupil.changes.constLast().kind != ImportChange::Kind::Skipped;
        qsizetype &index = classIndex[pupil.className];
        if (index == 0 && opens) {
            list.classes.append({pupil.className, {}, {}});
            index = list.classes.size();
        }
        if (index == 0)
            continue;
        ImportedClass &group = list.classes[index - 1];
        if (!pupil.name.isEmpty())
            group.pupils.append(pupil.name);
        group.changes.append(pupil.changes);
        anyName = anyName || !pupil.name.isEmpty();
    }
    if (!anyName) {
        list.classes.clear();
        list.error = ImportMessages::noNames();
    }
    return list;
}

Paste readPaste(const QString &text)
{
    Sheet sheet;
    int line = 0;
    for (QStringList &cells : TextReader::split(text, u'\t'))
        sheet.addRow(++line, std::move(cells));
    Paste paste;
    for (Pupil &pupil : readPupils(sheet)) {
        if (!pupil.name.isEmpty())
            paste.names.append(pupil.name);
        paste.changes.append(pupil.changes);
    }
    return paste;
}

} // namespace ClassListReader
