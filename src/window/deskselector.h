// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

// A desk's selector. With every desk taken each pick is a swap that is stored
// at once, so a desk changes only when the teacher picks from the open list:
// the wheel does nothing, and the keys that would change a closed combo box
// open the list instead, highlighting where the key would have gone. Enter,
// Return or a click in the open list picks; Escape or a click outside does not.
class DeskSelector : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void openAt(int row);
};
