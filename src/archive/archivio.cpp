// SPDX-License-Identifier: GPL-3.0-or-later
#include "archivio.h"

#include <QtGlobal>

using namespace Qt::StringLiterals;

Archivio::Archivio()
{
    initialise();
}

void Archivio::initialise()
{
    for (auto &row : m_cells) {
        row[NameColumn] = QString();
        row[PositionColumn] = u"0"_s;
    }
}

const QString &Archivio::cell(int row, int column) const
{
    Q_ASSERT(row >= 0 && row < Rows && column >= 0 && column < Columns);
    return m_cells[size_t(row)][size_t(column)];
}

void Archivio::setCell(int row, int column, const QString &text)
{
    Q_ASSERT(row >= 0 && row < Rows && column >= 0 && column < Columns);
    m_cells[size_t(row)][size_t(column)] = text;
}

std::optional<int> positionValue(QStringView text)
{
    const QStringView digits = text.startsWith(u'-') ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 5)
        return std::nullopt;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int value = text.toInt();
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return value;
}

int blankDesksBeyondLists(Archivio &archivio)
{
    constexpr int FirstPupil = 2; // after the blank and the marker
    int blanked = 0;
    for (int tab = 1; tab <= Archivio::Classes; ++tab) {
        int listed = FirstPupil;
        for (int slot = 0; slot < Archivio::Pupils; ++slot)
            listed +=
                archivio.cell(Archivio::row(tab, slot), Archivio::NameColumn).isEmpty() ? 0 : 1;
        for (int desk = 0; desk < Archivio::Pupils; ++desk) {
            const int row = Archivio::row(tab, desk);
            const std::optional<int> position =
                positionValue(archivio.cell(row, Archivio::PositionColumn));
            if (position && (*position < -1 || *position >= listed)) {
                archivio.setCell(row, Archivio::PositionColumn, u"0"_s);
                ++blanked;
            }
        }
    }
    return blanked;
}
