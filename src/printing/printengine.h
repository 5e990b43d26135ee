// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printableclass.h"

#include <QtPlugin>

class QWidget;

// Printing as the window uses it, through the module it loads the first time
// a teacher prints (posti_printing, see PrintModule).
class PrintEngine
{
public:
    virtual ~PrintEngine() = default;

    // Shows plan in the print preview over parent, modal, until the teacher
    // prints, saves a PDF or closes it.
    virtual void preview(const PrintableClass &plan, QWidget *parent) const = 0;
};

#define PrintEngine_iid "it.posti.PrintEngine/1"
Q_DECLARE_INTERFACE(PrintEngine, PrintEngine_iid)
