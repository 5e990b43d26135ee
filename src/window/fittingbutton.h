// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

// A push button whose caption is drawn smaller until it fits, where the
// window's fonts are wider than the ones it is laid out for: "Assegna
// mancanti" whole rather than cut on both sides. The button keeps its place,
// its size and its font; only the drawing shrinks.
class FittingButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // The font the caption is drawn in: the button's own where the caption fits.
    QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont captionFont(const QStyleOptionButton &option) const;
};
