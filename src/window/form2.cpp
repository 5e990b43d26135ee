// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"

#include "classdisplay.h"
#include "classtabs.h"
#include "deskaccessibility.h"
#include "deskgrid.h"
#include "deskselector.h"
#include "dialogfont.h"
#include "enterpressesbutton.h"
#include "fittingbutton.h"
#include "formlayout.h"
#include "namebox.h"
#include "planpreviewdialog.h"
#include "roomfront.h"
#include "windowfit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QUrl>

namespace {

QString indexedName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QPushButton *createButton(QWidget *parent, const char *name, const QString &caption,
                          const QRect &geometry)
{
    auto *button = new FittingButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

} // namespace

Form2::Form2(const QString &seatingFilePath, QWidget *parent)
    : QWidget(parent)
    , m_seatingFilePath(seatingFilePath)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Posti in classe[*]"));
    createTabStrip();
    createDesks();
    createButtons();
    createNamesFrame();
    setUpKeyboard();
    connectReactions();
    createUndo();
    createPrinting();
    createOpenFolder();
    setFixedSize(FormLayout::clientSize());
    new WindowFit(this);
}

Form2::~Form2() = default;

void Form2::createTabStrip()
{
    m_tabStrip = new ClassTabs(this);
    m_tabStrip->setObjectName(QStringLiteral("TabStrip1"));
    m_tabStrip->setGeometry(FormLayout::tabStrip());
    // The pages stay empty: the same boxes and desks, laid over the strip,
    // serve whichever class is shown.
    for (int tab = 1; tab <= Tabs; ++tab)
        m_tabStrip->addTab(new QWidget, QString::number(tab));
    m_tabStrip->setCurrentIndex(0);
    connect(m_tabStrip, &QTabWidget::currentChanged, this, [this] { tabChanged(); });
}

void Form2::createDesks()
{
    for (int desk = 0; desk < Desks; ++desk) {
        auto *combo = new DeskSelector(this);
        combo->setObjectName(indexedName("Combo1", desk));
        combo->setGeometry(FormLayout::desk(desk));
        // activated, unlike currentIndexChanged, also reports a pupil picked
        // again and never reports the program's own changes.
        connect(combo, &QComboBox::activated, this, [this, desk] { m_history.deskPicked(desk); });
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { markUnstored(); });
        DeskAccessibility::attach(combo, desk + 1);
        m_desks[size_t(desk)] = combo;
    }
    auto *front = new RoomFront(this, m_tabStrip->tabBar(),
                                QList<const QWidget *>(m_desks.begin(), m_desks.end()));
    front->stackUnder(m_desks[0]);
}

void Form2::createButtons()
{
    const QFont buttonFont = DialogFont::ofSize(24);
    m_clearButton = createButton(this, "cmdClear", tr("Svuota"), FormLayout::clearButton());
    m_fillButton =
        createButton(this, "CmdRandom", tr("Assegna mancanti"), FormLayout::fillButton());
    m_storeButton = createButton(this, "cmdSalva", tr("Memorizza"), FormLayout::storeButton());
    for (QPushButton *button : {m_clearButton, m_fillButton, m_storeButton})
        button->setFont(buttonFont);
}

void Form2::createNamesFrame()
{
    m_namesFrame = new QGroupBox(this);
    m_namesFrame->setObjectName(QStringLiteral("FraNomi"));
    m_namesFrame->setGeometry(FormLayout::namesFrame());
    m_namesFrame->setFont(DialogFont::ofSize(13.5));

    auto *className = new NameBox(m_namesFrame);
    className->setObjectName(indexedName("Text1", ClassNameBox));
    className->setGeometry(FormLayout::classNameBox());
    className->setFont(DialogFont::ofSize(24));
    className->setAlignment(Qt::AlignCenter);
    m_nameBoxes[ClassNameBox] = className;

    for (int slot = 0; slot < Archivio::Pupils; ++slot) {
        auto *label =
            new QLabel(QStringLiteral(" %1").arg(slot + 1, 2, 10, QLatin1Char('0')), m_namesFrame);
        label->setObjectName(indexedName("Label1", slot));
        label->setGeometry(FormLayout::numberLabel(slot));
        // The leading space is what gives way when a wide default font
        // does not fit the narrow label; the digits always show.
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        DialogFont::keepDefault(label);
        m_nameLabels[size_t(slot)] = label;

        auto *name = new NameBox(m_namesFrame);
        name->setObjectName(indexedName("Text1", slot));
        name->setGeometry(FormLayout::nameBox(slot));
        DialogFont::keepDefault(name);
        m_nameBoxes[size_t(slot)] = name;
    }

    // A pasted list runs down the pupil boxes, never into the class name.
    for (int slot = 0; slot < Archivio::Pupils; ++slot) {
        m_nameBoxes[size_t(slot)]->setFollowingBoxes(QList<NameBox *>(
            m_nameBoxes.begin() + slot + 1, m_nameBoxes.begin() + Archivio::Pupils));
    }

    for (NameBox *box : m_nameBoxes)
        connect(box, &QLineEdit::textChanged, this, [this] { markUnstored(); });

    m_deleteNamesButton = createButton(m_namesFrame, "cmdCancNomi", tr("Cancella nomi"),
                                       FormLayout::deleteNamesButton());
    DialogFont::keepDefault(m_deleteNamesButton);
}

// Tab goes down the pupils, 1 to 30 as the teacher enters them from the
// register, then to the class name and the frame's own button; leaving the
// frame leftwards it meets the buttons nearest first, which is also the order
// of the work (store, fill, clear); then the desks in room order, and the tab
// strip last, so that Shift+Tab from pupil 1 reaches the classes.
void Form2::setUpKeyboard()
{
    QList<QWidget *> order(m_nameBoxes.begin(), m_nameBoxes.end());
    order << m_deleteNamesButton << m_storeButton << m_fillButton << m_clearButton;
    order += QList<QWidget *>(m_desks.begin(), m_desks.end());
    order << m_tabStrip;
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    m_nameBoxes[0]->setFocus();

    for (int slot = 0; slot < Archivio::Pupils; ++slot)
        m_nameBoxes[size_t(slot)]->setAccessibleName(tr("Alunno %1").arg(slot + 1));
    m_nameBoxes[ClassNameBox]->setAccessibleName(tr("Nome della classe"));
    m_tabStrip->setAccessibleName(tr("Classi"));
    m_tabStrip->tabBar()->setAccessibleName(tr("Classi"));

    // Enter moves on as Tab does, but stays among the 31 boxes: after pupil
    // 30 comes the class name, after it pupil 1, so a hurried Enter never
    // lands on a button that would act on a second Enter.
    for (int box = 0; box < NameBoxes; ++box) {
        NameBox *next = m_nameBoxes[size_t(box == ClassNameBox ? 0 : box + 1)];
        connect(m_nameBoxes[size_t(box)], &QLineEdit::returnPressed, next,
                [next] { next->setFocus(Qt::TabFocusReason); });
    }

    auto *enterPressesButton = new EnterPressesButton(this);
    for (QPushButton *button : {m_deleteNamesButton, m_storeButton, m_fillButton, m_clearButton}) {
        button->setAccessibleName(button->text());
        button->installEventFilter(enterPressesButton);
    }

    // The tab strip turns to the next class only when it has the focus
    // itself; these work from anywhere in the window, the name boxes included.
    addClassShortcut(QKeySequence::keyBindings(QKeySequence::NextChild)
                         << QKeySequence(Qt::CTRL | Qt::Key_PageDown),
                     +1);
    // X11 reports Ctrl+Shift+Tab as Ctrl+Shift+Tab or Ctrl+Backtab, never as
    // the Ctrl+Shift+Backtab Qt names for it.
    addClassShortcut(QKeySequence::keyBindings(QKeySequence::PreviousChild)
                         << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)
                         << QKeySequence(Qt::CTRL | Qt::Key_PageUp),
                     -1);
}

void Form2::addClassShortcut(const QList<QKeySequence> &keys, int step)
{
    auto *shortcut = new QShortcut(this);
    shortcut->setKeys(keys);
    const auto turn = [this, step] {
        const int count = m_tabStrip->count();
        m_tabStrip->setCurrentIndex((m_tabStrip->currentIndex() + step + count) % count);
    };
    connect(shortcut, &QShortcut::activated, this, turn);
    // A platform that reports one press as two of these keys makes the shortcut
    // ambiguous with itself; it is still the one press.
    connect(shortcut, &QShortcut::activatedAmbiguously, this, turn);
}

void Form2::connectReactions()
{
    const auto connectStep = [this](QPushButton *button, void (SeatingRules::*reaction)()) {
        connect(button, &QPushButton::clicked, this,
                [this, button, reaction] { runStep(button, reaction); });
    };
    connectStep(m_storeButton, &SeatingRules::store);
    connectStep(m_fillButton, &SeatingRules::randomFill);
    connectStep(m_clearButton, &SeatingRules::clearSeats);
    connectStep(m_deleteNamesButton, &SeatingRules::deleteNames);
    for (int box = 0; box < NameBoxes; ++box) {
        NameBox *nameBox = m_nameBoxes[size_t(box)];
        connect(nameBox, &QLineEdit::textEdited, &m_history,
                [this, box](const QString &text) { m_history.nameEdited(box, text); });
        connect(nameBox, &NameBox::listPasted, &m_history, [this] { m_history.namesPasted(); });
    }
    m_rules.setStoredHandler([this] {
        m_keeper.stored(m_archivio);
        markUnstored();
    });
}

// A button's work is one step of the class's history, named by the button.
// The mark of unstored changes skips the reaction's own changes, made with
// the update flag raised, and is set once it ends.
void Form2::runStep(QPushButton *button, void (SeatingRules::*reaction)())
{
    m_history.perform(QStringLiteral("«%1»").arg(button->text()),
                      [this, reaction] { (m_rules.*reaction)(); });
    markUnstored();
}

// Undo and redo head the room's menu, which printing shares.
void Form2::createUndo()
{
    addActions({m_history.undoAction(), m_history.redoAction()});
    // An undo or redo puts the class back with the update flag raised; the
    // mark follows once it is done.
    for (QAction *action : {m_history.undoAction(), m_history.redoAction()})
        connect(action, &QAction::triggered, this, [this] { markUnstored(); });
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
}

// Printing hangs off the room itself, the window's background and tab strip,
// so no control of the window moves for it.
void Form2::createPrinting()
{
    m_printAction = new QAction(tr("Stampa…"), this);
    m_printAction->setObjectName(QStringLiteral("printAction"));
    m_printAction->setShortcut(QKeySequence::Print);
    m_printAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_printAction, &QAction::triggered, this, [this] {
        PlanPreviewDialog preview(printableClass(), this);
        preview.exec();
    });
    addAction(m_printAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

// So that a teacher can find the file to copy it or back it up, wherever the
// program chose to keep it.
void Form2::createOpenFolder()
{
    auto *openFolder = new QAction(tr("Apri la cartella del file dei posti"), this);
    openFolder->setObjectName(QStringLiteral("openFolderAction"));
    connect(openFolder, &QAction::triggered, this, [this] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(m_seatingFilePath).absolutePath()));
    });
    addAction(openFolder);
}

PrintableClass Form2::printableClass() const
{
    PrintableClass plan;
    plan.title = PrintableClass::titleFor(nameText(ClassNameBox), selectedTab());
    for (int desk = 0; desk < Desks; ++desk) {
        plan.desks[size_t(desk)] = PrintableClass::Desk::fromSelector(
            deskSelection(desk), m_desks[size_t(desk)]->currentText());
    }
    return plan;
}

// The class display raises the update flag around its own selections.
void Form2::startUp(const QString &locationNotice)
{
    m_keeper.startUp(m_archivio, locationNotice);
    showSelectedClass();
    ClassDisplay::setTabCaptions(*this, m_archivio);
}

void Form2::showSelectedClass()
{
    m_shownTab = selectedTab();
    ClassDisplay::showClass(*this, m_archivio, m_shownTab);
    m_history.classShown();
    markUnstored();
}

// The strip has turned already when it tells; for the question it shows the
// class asked about again, and turns on after the answer.
void Form2::tabChanged()
{
    const int wanted = selectedTab();
    if (wanted != m_shownTab && hasUnstoredChanges()) {
        const QSignalBlocker blocker(m_tabStrip);
        m_tabStrip->setCurrentIndex(m_shownTab - 1);
        offerStore();
        m_tabStrip->setCurrentIndex(wanted - 1);
    }
    showSelectedClass();
}

bool Form2::hasUnstoredChanges() const
{
    return !ClassDisplay::showsStoredClass(*this, m_archivio, m_shownTab);
}

// A store said yes to here is the same step of the class's history as "Memorizza".
void Form2::offerStore()
{
    const QString name = PrintableClass::titleFor(nameText(ClassNameBox), m_shownTab);
    const Answer answer =
        messageBox(tr("La classe «%1» ha modifiche non memorizzate. Memorizzarle?").arg(name),
                   MessageTitle::warning(), Buttons::YesNo);
    if (answer == Answer::Yes)
        runStep(m_storeButton, &SeatingRules::store);
}

// The window title, the tab of the class and the caption of "Memorizza" show
// at a glance that the screen holds changes only "Memorizza" keeps; none of
// them changes size, so nothing moves.
void Form2::markUnstored()
{
    if (aggiornamento())
        return;
    const bool unstored = hasUnstoredChanges();
    setWindowModified(unstored);
    m_tabStrip->markTab(unstored ? m_shownTab - 1 : -1);
    if (m_storeButton->font().bold() != unstored) {
        QFont font = m_storeButton->font();
        font.setBold(unstored);
        m_storeButton->setFont(font);
    }
}

void Form2::seatChanged(int desk)
{
    m_rules.seatChanged(desk);
}

void Form2::closeEvent(QCloseEvent *event)
{
    // Asked before the file is written, so that a yes reaches it; a window
    // that saves nothing does not offer to keep anything.
    if (!m_shutDown && !m_keeper.isReadOnly() && hasUnstoredChanges())
        offerStore();
    shutDown();
    event->accept();
}

void Form2::shutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_keeper.shutDown(m_archivio);
}

QString Form2::nameText(int box) const
{
    return m_nameBoxes[size_t(box)]->text();
}

void Form2::setNameText(int box, const QString &text)
{
    m_nameBoxes[size_t(box)]->setName(text);
}

void Form2::clearDesk(int desk)
{
    m_desks[size_t(desk)]->clear();
}

void Form2::appendDeskItem(int desk, const QString &item)
{
    m_desks[size_t(desk)]->addItem(item);
}

int Form2::deskItemCount(int desk) const
{
    return m_desks[size_t(desk)]->count();
}

QString Form2::deskItem(int desk, int position) const
{
    return m_desks[size_t(desk)]->itemText(position);
}

int Form2::deskSelection(int desk) const
{
    return m_desks[size_t(desk)]->currentIndex();
}

void Form2::setDeskSelection(int desk, int position)
{
    m_desks[size_t(desk)]->setCurrentIndex(position);
    seatChanged(desk);
}

int Form2::selectedTab() const
{
    return m_tabStrip->currentIndex() + 1;
}

void Form2::setTabCaption(int tab, const QString &caption)
{
    m_tabStrip->setCaption(tab - 1, caption);
}

SeatingView::Answer Form2::messageBox(const QString &text, const QString &title, Buttons buttons)
{
    QMessageBox box(this);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title);
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    if (buttons == Buttons::Ok) {
        box.addButton(tr("OK"), QMessageBox::AcceptRole);
        box.exec();
        return Answer::Ok;
    }
    QPushButton *yes = box.addButton(tr("Sì"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(tr("No"), QMessageBox::NoRole);
    box.setDefaultButton(buttons == Buttons::YesNoDefaultNo ? no : yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}
