// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <optional>

// The table of every class the program keeps: 10 class blocks of 31 rows,
// two text columns each. Block t (the tab number, 1 to 10) starts at row
// 31·(t−1); its slots 0 to 29 hold a pupil's name (column 0) and the seat
// list position of desk s (column 1, as decimal text), slot 30 the class name.
class Archivio
{
public:
    static constexpr int Classes = 10;
    static constexpr int Pupils = 30; // and as many desks
    static constexpr int ClassNameSlot = Pupils;
    static constexpr int SlotsPerClass = Pupils + 1;
    static constexpr int Rows = Classes * SlotsPerClass;
    static constexpr int Columns = 2;
    static constexpr int NameColumn = 0;
    static constexpr int PositionColumn = 1;

    // A fresh table: "" for every name, "0" for every position.
    Archivio();

    static constexpr int row(int tab, int slot) { return SlotsPerClass * (tab - 1) + slot; }

    void initialise();

    const QString &cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);

    bool operator==(const Archivio &other) const { return m_cells == other.m_cells; }
    bool operator!=(const Archivio &other) const { return !(*this == other); }

private:
    std::array<std::array<QString, Columns>, Rows> m_cells;
};

// The value of a stored desk position: an optional minus sign and decimal
// digits that fit in 16 bits ("0", "12", "-1"); anything else has none.
std::optional<int> positionValue(QStringView text);

// Blanks the desks whose stored position lies past their class's desk list:
// the blank, the marker, then the class's non-empty names in order (−1
// selects nothing). Files written by earlier versions hold such positions
// where a seated pupil's name was deleted and the class stored; they show a
// blank desk all the same. Returns how many desks were blanked.
int blankDesksBeyondLists(Archivio &archivio);
