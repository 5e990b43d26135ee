// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowfit.h"

#include <QEvent>
#include <QGroupBox>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QtMath>

namespace {

// Until the window manager has framed the window once, its frame is a guess:
// a title bar and thin borders, as most desktops draw them.
const QMargins TypicalFrame(4, 30, 4, 4);

QRect scaled(const QRect &rect, qreal factor)
{
    // Edges, not sizes, are scaled, so that controls that met still meet.
    const int left = qRound(rect.left() * factor);
    const int top = qRound(rect.top() * factor);
    return QRect(left, top, qRound((rect.left() + rect.width()) * factor) - left,
                 qRound((rect.top() + rect.height()) * factor) - top);
}

QFont scaled(QFont font, qreal factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, qRound(font.pixelSize() * factor)));
    return font;
}

} // namespace

WindowFit::WindowFit(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    window->installEventFilter(this);
}

qreal WindowFit::factorFor(const QSize &window, const QMargins &frame, const QRect &available)
{
    const qreal across = qreal(available.width() - frame.left() - frame.right()) / window.width();
    const qreal down = qreal(available.height() - frame.top() - frame.bottom()) / window.height();
    // Two decimals: a factor that does not change with each pixel of frame.
    return qBound(0.1, qFloor(qMin(across, down) * 100) / 100.0, 1.0);
}

bool WindowFit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move: // the window manager has framed or moved the window
        case QEvent::ScreenChangeInternal:
            fit();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowFit::remember()
{
    m_size = m_window->size();
    QList<QWidget *> controls{m_window};
    for (QWidget *child : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        controls << child;
        if (qobject_cast<QGroupBox *>(child))
            controls += child->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    }
    for (QWidget *control : controls) {
        if (control == m_window || !control->isWindow()) {
            m_controls.append({control, control->geometry(), control->font(),
                               control->testAttribute(Qt::WA_SetFont)});
        }
    }
}

void WindowFit::fit()
{
    QScreen *screen = m_window->screen();
    if (!screen)
        return;
    if (m_size.isEmpty())
        remember();
    QMargins frame =
        m_window->windowHandle() ? m_window->windowHandle()->frameMargins() : QMargins();
    if (frame.isNull() && !m_window->testAttribute(Qt::WA_WState_Visible))
        frame = TypicalFrame;
    apply(factorFor(m_size, frame, screen->availableGeometry()));
}

void WindowFit::apply(qreal factor)
{
    if (qFuzzyCompare(factor, m_factor))
        return;
    m_factor = factor;
    // The window's own font, inherited by every control without one of its
    // own, shrinks with the rest; at full size each font is as it was.
    const bool whole = qFuzzyCompare(factor, 1.0);
    for (const Control &control : std::as_const(m_controls)) {
        if (!control.widget)
            continue;
        if (control.widget != m_window)
            control.widget->setGeometry(scaled(control.geometry, factor));
        if (control.ownFont || (control.widget == m_window && !whole))
            control.widget->setFont(scaled(control.font, factor));
        else if (control.widget == m_window)
            control.widget->setFont(QFont());
    }
    m_window->setFixedSize(scaled(QRect(QPoint(), m_size), factor).size());
}
