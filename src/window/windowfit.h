// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QList>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

// Keeps a fixed-size window whole on a screen too small for it: a 1366 × 768
// laptop at 125 %, or 1600 × 900 at 150 %. When the screen's free area cannot
// hold the window and its frame, every control's position and size and every
// font shrink by one factor, so the room keeps its proportions and nothing
// overlaps or is cut off; where the window fits, nothing changes.
//
// The controls are those placed by hand: the window's own children and the
// children of any group box among them. Looked at when the window is shown,
// when it moves to another screen and when its frame becomes known.
class WindowFit : public QObject
{
public:
    explicit WindowFit(QWidget *window);

    qreal factor() const { return m_factor; }

    // The factor, at most 1, at which a window of the given size and frame
    // fits in available.
    static qreal factorFor(const QSize &window, const QMargins &frame, const QRect &available);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Control
    {
        QPointer<QWidget> widget;
        QRect geometry;
        QFont font;
        bool ownFont = false;
    };

    void remember();
    void fit();
    void apply(qreal factor);

    QWidget *m_window;
    QSize m_size;
    QList<Control> m_controls;
    qreal m_factor = 1;
};
