// SPDX-License-Identifier: GPL-3.0-or-later
#include "fittingbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// Clear of the button's frame on either side.
constexpr int Padding = 2;

// One step smaller; a font set in pixels stays in pixels.
bool shrink(QFont &font)
{
    if (font.pointSizeF() > 0) {
        if (font.pointSizeF() <= 1)
            return false;
        font.setPointSizeF(qMax(1.0, font.pointSizeF() - 0.5));
    } else {
        if (font.pixelSize() <= 1)
            return false;
        font.setPixelSize(font.pixelSize() - 1);
    }
    return true;
}

} // namespace

QFont FittingButton::captionFont() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return captionFont(option);
}

QFont FittingButton::captionFont(const QStyleOptionButton &option) const
{
    const int room =
        style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width() - 2 * Padding;
    QFont font = this->font();
    while (QFontMetrics(font).horizontalAdvance(option.text) > room && shrink(font)) {
    }
    return font;
}

void FittingButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QFont font = captionFont(option);
    painter.setFont(font);
    option.fontMetrics = QFontMetrics(font);
    painter.drawControl(QStyle::CE_PushButton, option);
}
