// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// The help: a short text on what each button does, the keys and where the
// seating file is. It stays open beside the window while the teacher works.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    HelpWindow(const QString &seatingFilePath, QWidget *parent);
};
