// SPDX-License-Identifier: GPL-3.0-or-later
#include "printableclass.h"

#include "printtexts.h"

using namespace Qt::StringLiterals;

QString PrintableClass::documentName(const QString &title)
{
    // The print dialog takes whatever follows a dot for an extension and
    // drops it, so a dot goes too.
    QString safe = title;
    for (const QChar c : u"\\/:*?<>|.\""_s)
        safe.replace(c, u'-');
    return PrintTexts::documentName(safe);
}

void PrintableClass::listUnseated(const QStringList &pupils)
{
    QStringList seated;
    for (const Desk &desk : desks)
        seated << desk.pupil;
    unseated.clear();
    for (const QString &pupil : pupils) {
        const QString name = pupil.trimmed();
        if (!name.isEmpty() && !seated.removeOne(name))
            unseated << name;
    }
}
