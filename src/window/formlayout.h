// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deskgrid.h"
#include "twips.h"

#include <QRect>
#include <QSize>

// Where the window's controls stand, in twips. The window places its controls
// from here, and so does the start-up benchmark's floor, which builds the same
// controls without the program behind them.
namespace FormLayout {

// The window's own client area: the tab strip plus an equal margin on every side.
constexpr int ClientWidth = 120 + 18405 + 120;
constexpr int ClientHeight = 7815 + 120;

inline QSize clientSize()
{
    return {Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight)};
}

// Above the room, shown only by a read-only copy, which is that much taller:
// the tab strip begins at the window's top edge, leaving no band to cover.
inline QRect readOnlyBar()
{
    return Twips::rect(0, 0, ClientWidth, 330);
}

inline QRect tabStrip()
{
    return Twips::rect(120, 0, 18405, 7815);
}

inline QRect desk(int desk)
{
    const DeskGrid::Place place = DeskGrid::placeOf(desk);
    return Twips::rect(720 + 4320 * place.bank + 1920 * place.side, 2280 + 600 * place.row, 1845,
                       315);
}

inline QRect clearButton()
{
    return Twips::rect(1200, 6000, 2895, 855);
}

inline QRect fillButton()
{
    return Twips::rect(4800, 6000, 4215, 855);
}

inline QRect storeButton()
{
    return Twips::rect(9840, 6000, 2895, 855);
}

inline QRect namesFrame()
{
    return Twips::rect(13680, 360, 4455, 7335);
}

// The rest lie inside the names frame. The pupils stand in two columns of 15,
// each a number label and a name box.

inline QRect classNameBox()
{
    return Twips::rect(1440, 360, 1455, 645);
}

inline QRect numberLabel(int slot)
{
    return Twips::rect(120 + 2040 * (slot / 15), 1320 + 360 * (slot % 15), 255, 255);
}

inline QRect nameBox(int slot)
{
    return Twips::rect(480 + 2040 * (slot / 15), 1320 + 360 * (slot % 15), 1575, 285);
}

inline QRect deleteNamesButton()
{
    return Twips::rect(1440, 6840, 1815, 315);
}

} // namespace FormLayout
