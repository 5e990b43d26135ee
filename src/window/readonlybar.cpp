// SPDX-License-Identifier: GPL-3.0-or-later
#include "readonlybar.h"

#include <QDir>
#include <QPainter>

namespace {

constexpr int Padding = 6;

} // namespace

ReadOnlyBar::ReadOnlyBar(const QString &why, const QString &filePath, QWidget *parent)
    : QWidget(parent)
    , m_why(why + QLatin1Char(' '))
    , m_path(QDir::toNativeSeparators(filePath))
{
    setToolTip(m_why + m_path);
    setAccessibleName(m_why + m_path);
}

QString ReadOnlyBar::shownText() const
{
    const QFontMetrics metrics = fontMetrics();
    const int room = width() - 2 * Padding - metrics.horizontalAdvance(m_why);
    return m_why + metrics.elidedText(m_path, Qt::ElideMiddle, qMax(0, room));
}

// Its own colours, dark text on pale amber, so that it reads under any theme.
void ReadOnlyBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xff, 0xf0, 0xb8));
    painter.setPen(QColor(0xc8, 0xa0, 0x30));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
    painter.setPen(Qt::black);
    painter.drawText(rect().adjusted(Padding, 0, -Padding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     shownText());
}
