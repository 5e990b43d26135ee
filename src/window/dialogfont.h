// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "installedfamily.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

// The window's fonts. Shared with the start-up benchmark's floor, which must
// pay for exactly the fonts the window pays for.
namespace DialogFont {

// The first installed of the faces with the proportions the layout was drawn
// for, or none.
inline QString family()
{
    static const QString family = firstInstalledFamily({"Arial", "Liberation Sans", "Helvetica"});
    return family;
}

// A plain sans-serif dialog face with the proportions the layout was drawn
// for: the captions of the large buttons just fit their width in it.
inline QFont ofSize(qreal pointSize)
{
    QFont font = QApplication::font();
    if (!family().isEmpty())
        font.setFamily(family());
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPointSizeF(pointSize);
    return font;
}

// Qt lets children inherit their parent's font; these controls keep the default one.
inline void keepDefault(QWidget *widget)
{
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF());
    widget->setFont(font);
}

} // namespace DialogFont
