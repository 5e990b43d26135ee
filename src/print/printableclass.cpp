// SPDX-License-Identifier: GPL-3.0-or-later
#include "printableclass.h"

#include "seatingview.h"

PrintableClass::Desk PrintableClass::Desk::fromSelector(int selection, const QString &shownText)
{
    Desk desk;
    if (selection == SeatList::Marker)
        desk.unused = true;
    else
        desk.pupil = shownText.trimmed();
    return desk;
}

QString PrintableClass::titleFor(const QString &className, int tab)
{
    const QString name = className.trimmed();
    if (!name.isEmpty())
        return name;
    return QStringLiteral("Classe %1").arg(tab);
}

QString PrintableClass::documentName(const QString &title)
{
    // The print dialog takes whatever follows a dot for an extension and
    // drops it, so a dot goes too.
    QString safe = title;
    for (const QChar c : QStringLiteral("\\/:*?<>|.\""))
        safe.replace(c, u'-');
    return QStringLiteral("Pianta dei posti - %1").arg(safe);
}
