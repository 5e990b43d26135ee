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
