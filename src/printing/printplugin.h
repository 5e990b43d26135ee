// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printengine.h"

#include <QObject>

// The module's one object: the print preview behind PrintEngine.
class PrintPlugin : public QObject, public PrintEngine
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PrintEngine_iid)
    Q_INTERFACES(PrintEngine)

public:
    void preview(const PrintableClass &plan, QWidget *parent) const override;
};
