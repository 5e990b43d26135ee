#include "form2.h"

#include "classdisplay.h"
#include "classtabs.h"
#include "deskgrid.h"
#include "deskselector.h"
#include "enterpressesbutton.h"
#include "namebox.h"
#include "planpreviewdialog.h"
#include "twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>

static_assert(DeskGrid::Desks == SeatingView::Desks, "every desk selector has a place in the room");

namespace {

// The window's own client area: the tab strip plus an equal margin on every side.
constexpr int ClientWidth = 120 + 18405 + 120;
constexpr int ClientHeight = 7815 + 120;

// The first installed of the faces with the proportions the layout was drawn
// for, or none. Only an installed one is named, and alone: for a missing
// family, and for the extra families of a list, Qt asks fontconfig for
// fallbacks at once, which cost 4 % of the program's start-up.
QString dialogFamily()
{
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char *name : {"Arial", "Liberation Sans", "Helvetica"}) {
            if (installed.contains(QLatin1String(name), Qt::CaseInsensitive))
                return QString::fromLatin1(name);
        }
        return QString();
    }();
    return family;
}

// A plain sans-serif dialog face with the proportions the layout was drawn
// for: the captions of the large buttons just fit their width in it.
QFont dialogFont(qreal pointSize)
{
    QFont font = QApplication::font();
    if (!dialogFamily().isEmpty())
        font.setFamily(dialogFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPointSizeF(pointSize);
    return font;
}

// Qt lets children inherit their parent's font; these controls keep the default one.
void keepDefaultFont(QWidget *widget)
{
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF());
    widget->setFont(font);
}

QString indexedName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QPushButton *createButton(QWidget *parent, const char *name, const QString &caption,
                          const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
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
    createPrinting();
    setFixedSize(Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight));
}

Form2::~Form2() = default;

void Form2::createTabStrip()
{
    m_tabStrip = new ClassTabs(this);
    m_tabStrip->setObjectName(QStringLiteral("TabStrip1"));
    m_tabStrip->setGeometry(Twips::rect(120, 0, 18405, 7815));
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
        const DeskGrid::Place place = DeskGrid::placeOf(desk);
        auto *combo = new DeskSelector(this);
        combo->setObjectName(indexedName("Combo1", desk));
        combo->setGeometry(Twips::rect(720 + 4320 * place.bank + 1920 * place.side,
                                       2280 + 600 * place.row, 1845, 315));
        // activated, unlike currentIndexChanged, also reports a pupil picked
        // again and never reports the program's own changes.
        connect(combo, &QComboBox::activated, this, [this, desk] { seatChanged(desk); });
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { markUnstored(); });
        m_desks[size_t(desk)] = combo;
    }
}

void Form2::createButtons()
{
    const QFont buttonFont = dialogFont(24);
    m_clearButton =
        createButton(this, "cmdClear", tr("Svuota"), Twips::rect(1200, 6000, 2895, 855));
    m_fillButton =
        createButton(this, "CmdRandom", tr("Assegna mancanti"), Twips::rect(4800, 6000, 4215, 855));
    m_storeButton =
        createButton(this, "cmdSalva", tr("Memorizza"), Twips::rect(9840, 6000, 2895, 855));
    for (QPushButton *button : {m_clearButton, m_fillButton, m_storeButton})
        button->setFont(buttonFont);
}

void Form2::createNamesFrame()
{
    m_namesFrame = new QGroupBox(this);
    m_namesFrame->setObjectName(QStringLiteral("FraNomi"));
    m_namesFrame->setGeometry(Twips::rect(13680, 360, 4455, 7335));
    m_namesFrame->setFont(dialogFont(13.5));

    auto *className = new NameBox(m_namesFrame);
    className->setObjectName(indexedName("Text1", ClassNameBox));
    className->setGeometry(Twips::rect(1440, 360, 1455, 645));
    className->setFont(dialogFont(24));
    className->setAlignment(Qt::AlignCenter);
    m_nameBoxes[ClassNameBox] = className;

    for (int slot = 0; slot < Archivio::Pupils; ++slot) {
        const int column = slot / 15;
        const int top = 1320 + 360 * (slot % 15);
        auto *label =
            new QLabel(QStringLiteral(" %1").arg(slot + 1, 2, 10, QLatin1Char('0')), m_namesFrame);
        label->setObjectName(indexedName("Label1", slot));
        label->setGeometry(Twips::rect(120 + 2040 * column, top, 255, 255));
        // The leading space is what gives way when a wide default font
        // does not fit the narrow label; the digits always show.
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        keepDefaultFont(label);
        m_nameLabels[size_t(slot)] = label;

        auto *name = new NameBox(m_namesFrame);
        name->setObjectName(indexedName("Text1", slot));
        name->setGeometry(Twips::rect(480 + 2040 * column, top, 1575, 285));
        keepDefaultFont(name);
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
                                       Twips::rect(1440, 6840, 1815, 315));
    keepDefaultFont(m_deleteNamesButton);
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
    for (int desk = 0; desk < Desks; ++desk)
        m_desks[size_t(desk)]->setAccessibleName(tr("Banco %1").arg(desk + 1));
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
    addClassShortcut(QKeySequence::keyBindings(QKeySequence::PreviousChild)
                         << QKeySequence(Qt::CTRL | Qt::Key_PageUp),
                     -1);
}

void Form2::addClassShortcut(const QList<QKeySequence> &keys, int step)
{
    auto *shortcut = new QShortcut(this);
    shortcut->setKeys(keys);
    connect(shortcut, &QShortcut::activated, this, [this, step] {
        const int count = m_tabStrip->count();
        m_tabStrip->setCurrentIndex((m_tabStrip->currentIndex() + step + count) % count);
    });
}

void Form2::connectReactions()
{
    // The mark of unstored changes skips the reactions' own steps, made with
    // the update flag raised, and is set once they end.
    connect(m_storeButton, &QPushButton::clicked, this, [this] { m_rules.store(); });
    connect(m_fillButton, &QPushButton::clicked, this, [this] {
        m_rules.randomFill();
        markUnstored();
    });
    connect(m_clearButton, &QPushButton::clicked, this, [this] {
        m_rules.clearSeats();
        markUnstored();
    });
    connect(m_deleteNamesButton, &QPushButton::clicked, this, [this] {
        m_rules.deleteNames();
        markUnstored();
    });
    m_rules.setStoredHandler([this] {
        m_keeper.stored(m_archivio);
        markUnstored();
    });
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
void Form2::startUp()
{
    m_keeper.startUp(m_archivio);
    showSelectedClass();
    ClassDisplay::setTabCaptions(*this, m_archivio);
}

void Form2::showSelectedClass()
{
    m_shownTab = selectedTab();
    ClassDisplay::showClass(*this, m_archivio, m_shownTab);
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

void Form2::offerStore()
{
    const QString name = PrintableClass::titleFor(nameText(ClassNameBox), m_shownTab);
    const Answer answer =
        messageBox(tr("La classe «%1» ha modifiche non memorizzate. Memorizzarle?").arg(name),
                   MessageTitle::warning(), Buttons::YesNo);
    if (answer == Answer::Yes)
        m_rules.store();
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
    // Asked before the file is written, so that a yes reaches it.
    if (!m_shutDown && hasUnstoredChanges())
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
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}
