// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTabWidget>

// The tab strip of the classes. One tab at a time can carry a mark after its
// caption, for a class with changes not stored yet. Every tab keeps room for
// the mark, so marking a tab never moves the tabs after it.
class ClassTabs : public QTabWidget
{
    Q_OBJECT

public:
    explicit ClassTabs(QWidget *parent = nullptr);

    // Sets a tab's caption, keeping its mark.
    void setCaption(int index, const QString &caption);

    // Marks the tab at index, or none for -1, and unmarks any other.
    void markTab(int index);
    int markedTab() const;

    static QString mark();
};
