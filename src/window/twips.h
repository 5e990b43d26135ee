// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// The window is laid out in twips, 1440 to the inch: 15 twips make one
// device-independent pixel, so the layout shows at its intended size on a
// 96 dpi screen and Qt's high-DPI scaling enlarges it as a whole elsewhere.
namespace Twips {

constexpr int PerPixel = 15;

constexpr int toPixels(int twips)
{
    return (twips + PerPixel / 2) / PerPixel;
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
