// SPDX-License-Identifier: GPL-3.0-or-later
#include "printplugin.h"

#include "planpreviewdialog.h"

void PrintPlugin::preview(const PrintableClass &plan, QWidget *parent) const
{
    PlanPreviewDialog dialog(plan, parent);
    dialog.exec();
}
