// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QStringView>

class QDir;

// File names matched against a pattern in which '?' stands for any one
// character and '*' for any run of them, case aside, as QDir's name filters
// match them; every other character stands for itself. Matched in code,
// since QDir would compile each pattern into a regular expression, and the
// start-up would load the regular-expression engine only for these.
namespace NamePattern {

bool matches(QStringView pattern, QStringView name);

// The names of the files, hidden ones too, in folder that match pattern, in
// QDir's order.
QStringList files(const QDir &folder, QStringView pattern);

} // namespace NamePattern
