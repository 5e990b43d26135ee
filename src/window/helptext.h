// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The words of the help window, as simple HTML: one section for each part of
// the window and one for the keys, so that each feature adds its own lines.
namespace HelpText {

QString html(const QString &seatingFilePath);

} // namespace HelpText
