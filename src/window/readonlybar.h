// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

// The thin bar above the room of a read-only copy: why nothing is saved,
// then the seating file's path, shortened in the middle where the window is
// too narrow for it all; the tooltip and screen readers get it whole.
class ReadOnlyBar : public QWidget
{
    Q_OBJECT

public:
    ReadOnlyBar(const QString &why, const QString &filePath, QWidget *parent);

    // What the bar shows at its present width and font.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_why;
    QString m_path;
};
