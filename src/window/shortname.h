// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QFontMetrics;

// How a desk shows a text too wide for it. A pupil's name keeps its surname
// whole and loses its given names from the end, marked by "…"; where another
// name would then read the same, it keeps what tells the two apart ("Rossi
// Maria L…", or "Rossi …Luisa" when the difference lies further on). Only the
// display changes: the text itself, which the seating logic reads, stays whole.
// Cuts fall between letters as the reader sees them, never inside one.
namespace ShortName {

// text as shown in width pixels of metrics, others giving the names it must
// not be mistaken for, asked for only when text does not fit: gathering them
// costs more than measuring a name that fits. The "-> Non assegnare <-"
// marker takes the longest of its shorter forms that fits. A text that fits
// is returned as it is.
QString fitted(const QString &text, const std::function<QStringList()> &others,
               const QFontMetrics &metrics, int width);

} // namespace ShortName
