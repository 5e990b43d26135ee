// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for posti_startup: the window's controls, in the same places, with
// the same fonts and the same texts and seat lists that class 1 of the full
// table shows, but no program behind them: no class table, no file, no
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
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr int ShownTab = 1;

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
    auto *tabStrip = new QTabWidget(&window);
    tabStrip->setGeometry(FormLayout::tabStrip());
    for (int tab = 1; tab <= SeatingView::Tabs; ++tab)
        tabStrip->addTab(new QWidget, FullNames::className(tab));
    addDesks(&window);
    addButtons(&window);
    addNamesFrame(&window);
    window.setFixedSize(FirstFrame::windowSize());
    return FirstFrame::showPaintAndClose(window);
}
