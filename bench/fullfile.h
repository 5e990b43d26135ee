// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class Archivio;

// The heaviest table a teacher can have: 10 named classes of 30 pupils, every
// pupil seated. Shared by the benchmarks so they all measure the same data.
namespace FullFile {

// Fills archivio with the full table. Each class seats its pupils in its own
// order, so no two classes look alike.
void fill(Archivio &archivio);

// The seating file of the full table, as the program itself writes it.
QByteArray contents();

// Writes the seating file of the full table to path.
bool write(const QString &path);

} // namespace FullFile
