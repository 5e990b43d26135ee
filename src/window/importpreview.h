// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classlist.h"
#include "importsheet.h"

#include <QDialog>
#include <QStringList>

class ImportEngine;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// What an import would do, shown before anything changes: the sheet and the
// class picked (the first by default, pickers only when there is a choice),
// the names as boxes 1 to n will hold them, every change made to what the
// file held, the names left out and why, and what the screen loses. A class
// of more than 30 pupils cannot be imported.
class ImportPreview : public QDialog
{
    Q_OBJECT

public:
    // What the screen holds now, for the preview to say what goes.
    struct Screen
    {
        QString className;
        int names = 0;
        int seated = 0;
    };

    ImportPreview(const ImportEngine &engine, const Workbook &workbook, const Screen &screen,
                  QWidget *parent = nullptr);

    // The class picked, as it is to be imported.
    ImportedClass chosen() const;

private:
    void sheetPicked();
    void classPicked();

    const ImportEngine &m_engine;
    Workbook m_workbook;
    Screen m_screen;
    ClassList m_list;
    QComboBox *m_sheets = nullptr;
    QComboBox *m_classes = nullptr;
    QLabel *m_classLabel = nullptr;
    QListWidget *m_names = nullptr;
    QPlainTextEdit *m_changes = nullptr;
    QLabel *m_outcome = nullptr;
    QPushButton *m_import = nullptr;
};
