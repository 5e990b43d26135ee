// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's own windows (the print preview, the print and file dialogs, the
// standard buttons) speak Italian like the rest of the program, whatever
// language the system is set to.
namespace QtTranslations {

// Installs Qt's Italian translations into the running application and makes
// Italian the default locale, for dates among others. False when Qt's
// translations are not installed: its windows then stay in English.
bool installItalian();

} // namespace QtTranslations
