// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace FolderProbe {

// Why the file at filePath could not be written where it is (the folder is
// missing or read-only, the path is a folder, the file is read-only), in
// Italian, or an empty string when nothing stands in the way. It creates and
// removes a scratch file beside filePath, as a save would.
QString whyNotWritable(const QString &filePath);

} // namespace FolderProbe
