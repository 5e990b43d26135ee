// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "planlayout.h"
#include "printableclass.h"

#include <QWidget>

#include <array>

// A recorded plan drawn small, as the printed plan draws the room: the
// teacher's desk in front, the three banks of paired desks, each with its
// number and its pupil. A pupil who has left the class since is drawn grey
// on an empty desk, as the desk is when the plan is put back. The picture
// says nothing a screen reader can read: the dialog lists the same plan desk
// by desk beside it.
class PlanRoom : public QWidget
{
    Q_OBJECT

public:
    explicit PlanRoom(QWidget *parent = nullptr);

    // An empty room until given a plan. former: for each desk, the name of
    // the pupil who sat there and has left the class since, or nothing.
    void setPlan(const PrintableClass &room, const std::array<QString, DeskGrid::Desks> &former);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintFormer(QPainter &painter, const PlanLayout &layout) const;

    PrintableClass m_room;
    std::array<QString, DeskGrid::Desks> m_former;
};
