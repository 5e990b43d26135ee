// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for posti_startup: the window's controls, in the same places, with
// the same fonts and the same texts and seat lists that class 1 of the full
// table shows, and the words the room's front draws as labels in the fonts it
// draws them in, but no program behind them: no class table, no file, no
// journal, no reactions. Whatever Qt spends on fonts and on the first frame of
// these controls is in both processes; what posti_startup spends beyond this
// is the program's own.
//
// Only headers of the program are used here (where the controls stand, which
// fonts they take, the marker's text); none of its libraries is linked.

#include "dialogfont.h"
#include "firstframe.h"
#include "formlayout.h"
#include "fullnames.h"
#include "seatingview.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

constexpr int ShownTab = 1;

// The tab strip with its classes and, in its corner, the menu's button; the
// menu behind it is empty, its entries being the program's.
void addTabStrip(QWidget *window)
{
    auto *tabStrip = new QTabWidget(window);
    tabStrip->setGeometry(FormLayout::tabStrip());
    for (int tab = 1; tab <= SeatingView::Tabs; ++tab)
        tabStrip->addTab(new QWidget, FullNames::className(tab));
    auto *menuButton = new QToolButton(tabStrip);
    menuButton->setText(QStringLiteral("Menu"));
    menuButton->setMenu(new QMenu(menuButton));
    menuButton->setPopupMode(QToolButton::InstantPopup);
    menuButton->setFocusPolicy(Qt::NoFocus);
    tabStrip->setCornerWidget(menuButton, Qt::TopRightCorner);
    tabStrip->tabBar()->setUsesScrollButtons(false);
    tabStrip->tabBar()->setExpanding(false);
    tabStrip->setElideMode(Qt::ElideRight);
}

void addDesks(QWidget *window)
{
    QStringList seatList{QString(), SeatList::markerText()};
    for (int slot = 0; slot < Archivio::Pupils; ++slot)
        seatList << FullNames::pupil(ShownTab, slot);
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        auto *combo = new QComboBox(window);
        combo->setGeometry(FormLayout::desk(desk));
        combo->addItems(seatList);
        combo->setCurrentIndex(SeatList::FirstPupil + FullNames::seatedPupil(ShownTab, desk));
    }
}

// The room's front as labels: the teacher's desk, boxed, in the large
// buttons' font above the middle bank, and each desk's number in the
// window's font just above its top left corner.
void addRoomFront(QWidget *window)
{
    const QRect firstDesk = FormLayout::desk(0);
    const QRect room = firstDesk | FormLayout::desk(SeatingView::Desks - 1);
    auto *teacherDesk = new QLabel(QStringLiteral("Cattedra"), window);
    teacherDesk->setFont(DialogFont::ofSize(24));
    teacherDesk->setFrameShape(QFrame::Box);
    teacherDesk->setAlignment(Qt::AlignCenter);
    const QSize size(firstDesk.width() * 8 / 5, firstDesk.height() * 2);
    teacherDesk->setGeometry(
        QRect(QPoint(room.center().x() - size.width() / 2, room.top() - 3 * size.height()), size));
    const int numberHeight = firstDesk.height() * 3 / 5;
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const QRect place = FormLayout::desk(desk);
        auto *number = new QLabel(QString::number(desk + 1), window);
        number->setGeometry(place.left() + 2, place.top() - numberHeight - 1, place.width() / 3,
                            numberHeight);
    }
}

void addButtons(QWidget *window)
{
    const QFont font = DialogFont::ofSize(24);
    const std::pair<const char *, QRect> buttons[] = {
        {"Svuota", FormLayout::clearButton()},
        {"Assegna mancanti", FormLayout::fillButton()},
        {"Memorizza", FormLayout::storeButton()},
    };
    for (const auto &[caption, geometry] : buttons) {
        auto *button = new QPushButton(QString::fromUtf8(caption), window);
        button->setGeometry(geometry);
        button->setFont(font);
    }
}

void addNamesFrame(QWidget *window)
{
    auto *frame = new QGroupBox(window);
    frame->setGeometry(FormLayout::namesFrame());
    frame->setFont(DialogFont::ofSize(13.5));

    auto *className = new QLineEdit(FullNames::className(ShownTab), frame);
    className->setGeometry(FormLayout::classNameBox());
    className->setFont(DialogFont::ofSize(24));
    className->setAlignment(Qt::AlignCenter);

    QLineEdit *first = nullptr;
    for (int slot = 0; slot < Archivio::Pupils; ++slot) {
        auto *label =
            new QLabel(QStringLiteral(" %1").arg(slot + 1, 2, 10, QLatin1Char('0')), frame);
        label->setGeometry(FormLayout::numberLabel(slot));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        DialogFont::keepDefault(label);

        auto *name = new QLineEdit(FullNames::pupil(ShownTab, slot), frame);
        name->setGeometry(FormLayout::nameBox(slot));
        name->setCursorPosition(0);
        DialogFont::keepDefault(name);
        if (!first)
            first = name;
    }

    auto *deleteNames = new QPushButton(QStringLiteral("Cancella nomi"), frame);
    deleteNames->setGeometry(FormLayout::deleteNamesButton());
    DialogFont::keepDefault(deleteNames);
    first->setFocus();
}

} // namespace

int main(int argc, char *argv[])
{
    FirstFrame::useOffscreenPlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("posti"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Posti in classe"));
    addTabStrip(&window);
    addRoomFront(&window);
    addDesks(&window);
    addButtons(&window);
    addNamesFrame(&window);
    window.setFixedSize(FirstFrame::windowSize());
    return FirstFrame::showPaintAndClose(window);
}
