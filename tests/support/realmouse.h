// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGuiApplication>
#include <QHelpEvent>
#include <QProcess>
#include <QScreen>
#include <QToolTip>
#include <QWidget>

// The mouse as a teacher moves it. Under a real X server (the xcb platform)
// the pointer moves through the server, by xdotool, and Qt shows the tooltip
// of what lies under it in its own time; elsewhere Qt is asked for it at once.
namespace RealMouse {

inline bool hover(QWidget *widget, QPoint local = {})
{
    if (local.isNull())
        local = widget->rect().center();
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        QHelpEvent event(QEvent::ToolTip, local, widget->mapToGlobal(local));
        QCoreApplication::sendEvent(widget, &event);
        return true;
    }
    QScreen *screen = widget->screen();
    const QPoint device =
        (widget->mapToGlobal(local) - screen->geometry().topLeft()) * screen->devicePixelRatio();
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                              QString::number(device.x()), QString::number(device.y())}) == 0;
}

// The tooltip that shows over local, asked of Qt at once on any platform, as
// the pointer resting there asks: empty when none shows.
inline QString shownToolTip(QWidget *widget, QPoint local = {})
{
    if (local.isNull())
        local = widget->rect().center();
    QHelpEvent event(QEvent::ToolTip, local, widget->mapToGlobal(local));
    QCoreApplication::sendEvent(widget, &event);
    return event.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace RealMouse
