// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"

#include "classtabs.h"
#include "classtransfer.h"
#include "deskaccessibility.h"
#include "deskgrid.h"
#include "deskselector.h"
#include "dialogfont.h"
#include "enterpressesbutton.h"
#include "fittingbutton.h"
#include "formlayout.h"
#include "helpwindow.h"
#include "modules.h"
#include "namebox.h"
#include "plansdialog.h"
#include "printengine.h"
#include "readonlybar.h"
#include "roomfront.h"
#include "roommenu.h"
#include "rulesdialog.h"
#include "sessiontexts.h"
#include "undokeys.h"
#include "windowfit.h"
#include "windowtexts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString indexedName(const QString &name, int index)
{
    return u"%1(%2)"_s.arg(name).arg(index);
}

QPushButton *createButton(QWidget *parent, const QString &name, SeatingSession::Step step,
                          const QRect &geometry, const QString &toolTip)
{
    auto *button = new FittingButton(SeatingSession::caption(step), parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setToolTip(toolTip);
    return button;
}

QAction *createAction(QWidget *window, const QString &name, const QString &text,
                      const QString &toolTip, const QKeySequence &keys = {})
{
    auto *action = new QAction(text, window);
    action->setObjectName(name);
    action->setToolTip(toolTip);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

void addSeparator(QWidget *window)
{
    auto *separator = new QAction(window);
    separator->setSeparator(true);
    window->addAction(separator);
}

} // namespace

Form2::Form2(const QString &seatingFilePath, QWidget *parent)
    : QWidget(parent)
    , m_seatingFilePath(seatingFilePath)
{
    setObjectName(u"Form2"_s);
    setWindowTitle(WindowTexts::title());
    createTabStrip();
    createDesks();
    createButtons();
    createRoomFront();
    // The file is read while the last controls are built: early enough to
    // be ready for the start, late enough that little of the building runs
    // beside a second thread, which makes every allocation take a lock.
    m_session.readAhead();
    createNamesFrame();
    setUpKeyboard();
    connectReactions();
    createUndo();
    createStoring();
    createPrinting();
    createRules();
    createOpenFolder();
    createHelpAndClosing();
    createMenu();
    setFixedSize(FormLayout::clientSize());
    new WindowFit(this);
}

Form2::~Form2() = default;

void Form2::createTabStrip()
{
    m_tabStrip = new ClassTabs(this);
    m_tabStrip->setObjectName(u"TabStrip1"_s);
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
        combo->setObjectName(indexedName(u"Combo1"_s, desk));
        combo->setGeometry(FormLayout::desk(desk));
        // activated, unlike currentIndexChanged, also reports a pupil picked
        // again and never reports the program's own changes.
        connect(combo, &QComboBox::activated, this, [this, desk] { m_session.deskPicked(desk); });
        connect(combo, &QComboBox::currentIndexChanged, &m_session, &SeatingSession::screenChanged);
        DeskAccessibility::attach(combo, desk + 1);
        m_desks[size_t(desk)] = combo;
    }
}

// After the buttons, whose font the teacher's desk is labelled in.
void Form2::createRoomFront()
{
    auto *front =
        new RoomFront(this, m_tabStrip->tabBar(),
                      QList<const QWidget *>(m_desks.begin(), m_desks.end()), m_clearButton);
    front->stackUnder(m_desks[0]);
}

void Form2::createButtons()
{
    const QFont buttonFont = DialogFont::ofSize(24);
    using Step = SeatingSession::Step;
    m_clearButton = createButton(this, u"cmdClear"_s, Step::Clear, FormLayout::clearButton(),
                                 WindowTexts::clearTip());
    m_fillButton = createButton(this, u"CmdRandom"_s, Step::Fill, FormLayout::fillButton(),
                                WindowTexts::fillTip());
    m_storeButton = createButton(this, u"cmdSalva"_s, Step::Store, FormLayout::storeButton(),
                                 WindowTexts::storeTip());
    for (QPushButton *button : {m_clearButton, m_fillButton, m_storeButton})
        button->setFont(buttonFont);
}

void Form2::createNamesFrame()
{
    m_namesFrame = new QGroupBox(this);
    m_namesFrame->setObjectName(u"FraNomi"_s);
    m_namesFrame->setGeometry(FormLayout::namesFrame());
    m_namesFrame->setFont(DialogFont::ofSize(13.5));

    auto *className = new NameBox(m_namesFrame);
    className->setObjectName(indexedName(u"Text1"_s, ClassNameBox));
    className->setGeometry(FormLayout::classNameBox());
    className->setFont(DialogFont::ofSize(24));
    className->setAlignment(Qt::AlignCenter);
    m_nameBoxes[ClassNameBox] = className;

    for (int slot = 0; slot < Archivio::Pupils; ++slot) {
        auto *label = new QLabel(u" %1"_s.arg(slot + 1, 2, 10, QChar(u'0')), m_namesFrame);
        label->setObjectName(indexedName(u"Label1"_s, slot));
        label->setGeometry(FormLayout::numberLabel(slot));
        // The leading space is what gives way when a wide default font
        // does not fit the narrow label; the digits always show.
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        DialogFont::keepDefault(label);
        m_nameLabels[size_t(slot)] = label;

        auto *name = new NameBox(m_namesFrame);
        name->setObjectName(indexedName(u"Text1"_s, slot));
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
        connect(box, &QLineEdit::textChanged, &m_session, &SeatingSession::screenChanged);

    m_deleteNamesButton =
        createButton(m_namesFrame, u"cmdCancNomi"_s, SeatingSession::Step::DeleteNames,
                     FormLayout::deleteNamesButton(), WindowTexts::deleteNamesTip());
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
        m_nameBoxes[size_t(slot)]->setAccessibleName(WindowTexts::pupilBox(slot + 1));
    m_nameBoxes[ClassNameBox]->setAccessibleName(WindowTexts::classNameBox());
    m_tabStrip->setAccessibleName(WindowTexts::classes());
    m_tabStrip->tabBar()->setAccessibleName(WindowTexts::classes());

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
    using Step = SeatingSession::Step;
    const auto connectStep = [this](QPushButton *button, Step step) {
        connect(button, &QPushButton::clicked, this, [this, step] { m_session.take(step); });
    };
    connectStep(m_storeButton, Step::Store);
    connectStep(m_fillButton, Step::Fill);
    connectStep(m_clearButton, Step::Clear);
    connectStep(m_deleteNamesButton, Step::DeleteNames);
    for (int box = 0; box < NameBoxes; ++box) {
        NameBox *nameBox = m_nameBoxes[size_t(box)];
        connect(nameBox, &QLineEdit::textEdited, &m_session,
                [this, box](const QString &text) { m_session.nameEdited(box, text); });
        connect(nameBox, &NameBox::listPasted, &m_session, &SeatingSession::namesPasted);
    }
    connect(&m_session, &SeatingSession::unstoredChanged, this, &Form2::markUnstored);
    connect(&m_session, &SeatingSession::unstoredChanged, this, &Form2::showBrokenRules);
}

// Undo and redo head the room's menu, which printing shares; each names the
// step of the class on screen it would take back or do again.
void Form2::createUndo()
{
    auto *undo = new QAction(this);
    undo->setObjectName(u"undoAction"_s);
    undo->setShortcuts(UndoKeys::undo());
    connect(undo, &QAction::triggered, &m_session, &SeatingSession::undo);
    auto *redo = new QAction(this);
    redo->setObjectName(u"redoAction"_s);
    redo->setShortcuts(UndoKeys::redo());
    connect(redo, &QAction::triggered, &m_session, &SeatingSession::redo);
    const ClassHistory &history = m_session.history();
    const auto follow = [&history, undo, redo] {
        undo->setEnabled(history.canUndo());
        undo->setText(history.undoEntry());
        redo->setEnabled(history.canRedo());
        redo->setText(history.redoEntry());
    };
    follow();
    connect(&history, &ClassHistory::changed, this, follow);
    for (QAction *action : {undo, redo})
        action->setShortcutContext(Qt::WindowShortcut);
    addActions({undo, redo});
    addSeparator(this);
}

// Ctrl+S, as in every program that keeps documents.
void Form2::createStoring()
{
    QAction *store =
        createAction(this, u"storeAction"_s, SeatingSession::caption(SeatingSession::Step::Store),
                     WindowTexts::storeTip(), QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(store, &QAction::triggered, this,
            [this] { m_session.take(SeatingSession::Step::Store); });
}

// Printing hangs off the room itself, the window's background and tab strip,
// so no control of the window moves for it.
void Form2::createPrinting()
{
    m_printAction = createAction(this, u"printAction"_s, WindowTexts::print(),
                                 WindowTexts::printTip(), QKeySequence::Print);
    connect(m_printAction, &QAction::triggered, this, [this] {
        QString error;
        if (const PrintEngine *printing = PrintModule::engine(&error))
            printing->preview(printableClass(), this);
        else
            messageBox(error, MessageTitle::error(), Buttons::Ok);
    });
    createLeaveFree();
    createReseat();
    createPlans();
    addActions((new ClassTransfer(*this, m_session, *this))->actions());
}

// For a class smaller than the room, the marks "Assegna mancanti" needs.
void Form2::createLeaveFree()
{
    QAction *leaveFree = createAction(
        this, u"markFreeDesksAction"_s, SeatingSession::caption(SeatingSession::Step::LeaveFree),
        WindowTexts::leaveFreeTip(), QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(leaveFree, &QAction::triggered, this,
            [this] { m_session.take(SeatingSession::Step::LeaveFree); });
}

// Ctrl+B, for "banco": the letters of the other entries are taken.
void Form2::createReseat()
{
    QAction *reseat = createAction(this, u"reseatAction"_s, SessionTexts::reseatCaption(),
                                   WindowTexts::reseatTip(), QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(reseat, &QAction::triggered, this, [this] { m_session.reseat(); });
}

// Ctrl+D, for "disposizioni".
void Form2::createPlans()
{
    QAction *plans =
        createAction(this, u"plansAction"_s, WindowTexts::plansAction(),
                     WindowTexts::plansActionTip(), QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(plans, &QAction::triggered, this, &Form2::showPlans);
}

// The dialog only tells what the teacher chose; the session takes the step.
void Form2::showPlans()
{
    // A copy: emptying the history empties the session's list in place.
    const QList<Plan> plans = m_session.recordedPlans().plans();
    const PlansDialog::Choice choice = PlansDialog::choose(
        this, plans, pupilNames(), classTitle(nameText(ClassNameBox), selectedTab()),
        QDate::currentDate());
    if (choice.action == PlansDialog::Choice::Action::Restore)
        m_session.restorePlan(plans.at(choice.plan));
    else if (choice.action == PlansDialog::Choice::Action::ClearHistory)
        m_session.clearPlanHistory();
}

void Form2::createRules()
{
    QAction *rules =
        createAction(this, u"rulesAction"_s, WindowTexts::rulesAction(),
                     WindowTexts::rulesActionTip(), QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(rules, &QAction::triggered, this, [this] {
        RulesDialog dialog(m_session, this);
        dialog.exec();
    });
}

// So that a teacher can find the file to copy it or back it up, wherever the
// program chose to keep it.
void Form2::createOpenFolder()
{
    m_openFolderAction =
        createAction(this, u"openFolderAction"_s, WindowTexts::openFolder(), QString());
    connect(m_openFolderAction, &QAction::triggered, this, &Form2::openFolder);
}

// Without a file manager there is nothing to open the folder with: the
// teacher is told where it is instead.
void Form2::openFolder()
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(m_seatingFilePath).absolutePath());
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        messageBox(WindowTexts::folderNotOpened(folder), MessageTitle::warning(), Buttons::Ok);
}

void Form2::createHelpAndClosing()
{
    addSeparator(this);
    QAction *help = createAction(this, u"helpAction"_s, WindowTexts::help(), WindowTexts::helpTip(),
                                 QKeySequence(Qt::Key_F1));
    connect(help, &QAction::triggered, this, [this] {
        if (!m_helpWindow)
            m_helpWindow = new HelpWindow(m_seatingFilePath, this);
        m_helpWindow->show();
        m_helpWindow->raise();
        m_helpWindow->activateWindow();
    });
    QAction *about =
        createAction(this, u"aboutAction"_s, WindowTexts::about(), WindowTexts::aboutTip());
    connect(about, &QAction::triggered, this, [this] {
        ask({WindowTexts::aboutText(QDir::toNativeSeparators(m_seatingFilePath)),
             WindowTexts::about(),
             {AnswerText::ok()}});
    });
    addSeparator(this);
    QAction *quit = createAction(this, u"quitAction"_s, WindowTexts::quit(), WindowTexts::quitTip(),
                                 QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

// The menu opens from a button at the right end of the tab row, from a right
// click anywhere on the room, from F10, and from the name boxes' own menu.
// The button takes the strip's corner, and the tabs give way to it by
// shortening their captions, so no control of the window moves for it.
void Form2::createMenu()
{
    m_roomMenu = new RoomMenu(this);
    connect(m_roomMenu, &QMenu::aboutToShow, this, [this] {
        m_openFolderAction->setToolTip(WindowTexts::openFolderTip(
            QDir::toNativeSeparators(QFileInfo(m_seatingFilePath).absolutePath()),
            QFileInfo::exists(m_seatingFilePath)));
    });
    m_menuButton = new QToolButton(m_tabStrip);
    m_menuButton->setObjectName(u"menuButton"_s);
    m_menuButton->setText(WindowTexts::menu());
    m_menuButton->setToolTip(WindowTexts::menuTip());
    m_menuButton->setAccessibleName(WindowTexts::menu());
    m_menuButton->setMenu(m_roomMenu);
    m_menuButton->setPopupMode(QToolButton::InstantPopup);
    // F10 reaches it from the keyboard; Tab keeps to the boxes, buttons and desks.
    m_menuButton->setFocusPolicy(Qt::NoFocus);
    m_tabStrip->setCornerWidget(m_menuButton, Qt::TopRightCorner);
    m_tabStrip->tabBar()->setUsesScrollButtons(false);
    m_tabStrip->tabBar()->setExpanding(false);
    m_tabStrip->setElideMode(Qt::ElideRight);

    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] {
        m_roomMenu->popup(m_menuButton->mapToGlobal(m_menuButton->rect().bottomLeft()));
        m_roomMenu->setActiveAction(m_roomMenu->actions().value(0));
    });
    for (NameBox *box : m_nameBoxes)
        box->setRoomMenu(m_roomMenu);
}

PrintableClass Form2::printableClass() const
{
    PrintableClass plan;
    plan.title = classTitle(nameText(ClassNameBox), selectedTab());
    for (int desk = 0; desk < Desks; ++desk) {
        plan.desks[size_t(desk)] =
            DeskSeat::fromSelector(deskSelection(desk), m_desks[size_t(desk)]->currentText());
    }
    plan.listUnseated(pupilNames());
    return plan;
}

void Form2::startUp(const QString &locationNotice)
{
    m_session.startUp(locationNotice);
    if (const QString reason = m_session.readOnlyReason(); !reason.isEmpty())
        showReadOnly(reason);
}

// The bar pushes the whole room down by its height, so nothing of the room
// is covered or moves against the rest; before the window is shown, so that
// its fit counts the bar.
void Form2::showReadOnly(const QString &reason)
{
    setWindowTitle(WindowTexts::readOnlyTitle());
    auto *bar = new ReadOnlyBar(WindowTexts::readOnlyBar(reason), m_seatingFilePath, this);
    bar->setObjectName(u"readOnlyBar"_s);
    bar->setGeometry(FormLayout::readOnlyBar());
    const QPoint down(0, bar->height());
    for (QWidget *control : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control != bar && !control->isWindow() && !qobject_cast<RoomFront *>(control))
            control->move(control->pos() + down);
    }
    setFixedSize(FormLayout::clientSize() + QSize(0, bar->height()));
}

// The strip has turned already when it tells; it shows the class left again
// until the session has asked about it, and turns on if the session says so.
void Form2::tabChanged()
{
    const int wanted = selectedTab();
    selectTab(m_session.shownTab());
    m_session.requestTabChange(wanted);
}

// The window title, the tab of the class and the caption of "Memorizza" show
// at a glance that the screen holds changes only "Memorizza" keeps; none of
// them changes size, so nothing moves.
void Form2::markUnstored(bool unstored)
{
    setWindowModified(unstored);
    m_tabStrip->markTab(unstored ? m_session.shownTab() - 1 : -1);
    if (m_storeButton->font().bold() != unstored) {
        QFont font = m_storeButton->font();
        font.setBold(unstored);
        m_storeButton->setFont(font);
    }
}

void Form2::contextMenuEvent(QContextMenuEvent *event)
{
    m_roomMenu->exec(event->globalPos());
}

// Told with every change of the screen, as the mark of unstored changes is.
void Form2::showBrokenRules()
{
    const QStringList notes = m_session.deskNotes();
    for (int desk = 0; desk < Desks; ++desk)
        static_cast<DeskSelector *>(m_desks[size_t(desk)])->setRuleNote(notes[desk]);
}

void Form2::closeEvent(QCloseEvent *event)
{
    if (m_session.requestClose())
        event->accept();
    else
        event->ignore();
}

QString Form2::nameText(int box) const
{
    return m_nameBoxes[size_t(box)]->text();
}

void Form2::setNameText(int box, const QString &text)
{
    m_nameBoxes[size_t(box)]->setName(text);
}

// Every store rebuilds the seat lists, and most often a desk is given the
// list it holds already: filling it again would cost more than the store.
void Form2::setDeskItems(int desk, const QStringList &items)
{
    if (items == m_deskItems[size_t(desk)])
        return;
    m_deskItems[size_t(desk)] = items;
    QComboBox *selector = m_desks[size_t(desk)];
    selector->clear();
    selector->addItems(items);
}

int Form2::deskItemCount(int desk) const
{
    return int(m_deskItems[size_t(desk)].size());
}

QString Form2::deskItem(int desk, int position) const
{
    return m_deskItems[size_t(desk)].value(position);
}

int Form2::deskSelection(int desk) const
{
    return m_desks[size_t(desk)]->currentIndex();
}

void Form2::setDeskSelection(int desk, int position)
{
    m_desks[size_t(desk)]->setCurrentIndex(position);
    m_session.seatChanged(desk);
}

int Form2::selectedTab() const
{
    return m_tabStrip->currentIndex() + 1;
}

void Form2::selectTab(int tab)
{
    const QSignalBlocker blocker(m_tabStrip);
    m_tabStrip->setCurrentIndex(tab - 1);
}

void Form2::setTabCaption(int tab, const QString &caption)
{
    m_tabStrip->setCaption(tab - 1, caption);
}

int Form2::ask(const Question &question)
{
    QMessageBox box(this);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(question.title);
    box.setText(QString(question.text).replace(u"\r\n"_s, u"\n"_s));
    QList<QPushButton *> buttons;
    for (const QString &answer : question.answers)
        buttons << box.addButton(answer, QMessageBox::ActionRole);
    box.setDefaultButton(buttons.value(question.defaultAnswer));
    // Escape and the box's own close button both press the escape answer.
    box.setEscapeButton(buttons.value(question.escapeAnswer));
    box.exec();
    const auto chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? question.escapeAnswer : int(chosen);
}
