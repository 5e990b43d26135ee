#include "seatingplan.h"

#include "seatingview.h"

SeatingPlan::Desk SeatingPlan::Desk::fromSelector(int selection, const QString &shownText)
{
    Desk desk;
    if (selection == SeatList::Marker)
        desk.unused = true;
    else
        desk.pupil = shownText.trimmed();
    return desk;
}

QString SeatingPlan::titleFor(const QString &className, int tab)
{
    const QString name = className.trimmed();
    if (!name.isEmpty())
        return name;
    return QStringLiteral("Classe %1").arg(tab);
}
