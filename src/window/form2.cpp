#include "form2.h"

#include "classdisplay.h"
#include "twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>

namespace {

// The window's own client area: the tab strip plus an equal margin on every side.
constexpr int ClientWidth = 120 + 18405 + 120;
constexpr int ClientHeight = 7815 + 120;

// A plain sans-serif dialog face with the proportions the layout was drawn
// for: the captions of the large buttons just fit their width in it.
QFont dialogFont(qreal pointSize)
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), font.family()});
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
    setWindowTitle(tr("Posti in classe"));
    createTabStrip();
    createDesks();
    createButtons();
    createNamesFrame();
    connectReactions();
    setFixedSize(Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight));
}

Form2::~Form2() = default;

void Form2::createTabStrip()
{
    m_tabStrip = new QTabWidget(this);
    m_tabStrip->setObjectName(QStringLiteral("TabStrip1"));
    m_tabStrip->setGeometry(Twips::rect(120, 0, 18405, 7815));
    // The pages stay empty: the same boxes and desks, laid over the strip,
    // serve whichever class is shown.
    for (int tab = 1; tab <= Tabs; ++tab)
        m_tabStrip->addTab(new QWidget, QString::number(tab));
    m_tabStrip->setCurrentIndex(0);
    connect(m_tabStrip, &QTabWidget::currentChanged, this, [this] { showSelectedClass(); });
}

void Form2::createDesks()
{
    for (int desk = 0; desk < Desks; ++desk) {
        const int bank = desk / 10;
        const int place = desk % 10;
        const int row = place / 2;
        const int side = place % 2;
        auto *combo = new QComboBox(this);
        combo->setObjectName(indexedName("Combo1", desk));
        combo->setGeometry(
            Twips::rect(720 + 4320 * bank + 1920 * side, 2280 + 600 * row, 1845, 315));
        // activated, unlike currentIndexChanged, also reports a pupil picked
        // again and never reports the program's own changes.
        connect(combo, &QComboBox::activated, this, [this, desk] { seatChanged(desk); });
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

    auto *className = new QLineEdit(m_namesFrame);
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
        keepDefaultFont(label);
        m_nameLabels[size_t(slot)] = label;

        auto *name = new QLineEdit(m_namesFrame);
        name->setObjectName(indexedName("Text1", slot));
        name->setGeometry(Twips::rect(480 + 2040 * column, top, 1575, 285));
        keepDefaultFont(name);
        m_nameBoxes[size_t(slot)] = name;
    }

    m_deleteNamesButton = createButton(m_namesFrame, "cmdCancNomi", tr("Cancella nomi"),
                                       Twips::rect(1440, 6840, 1815, 315));
    keepDefaultFont(m_deleteNamesButton);
}

void Form2::connectReactions()
{
    connect(m_storeButton, &QPushButton::clicked, this, [this] { m_rules.store(); });
    connect(m_fillButton, &QPushButton::clicked, this, [this] { m_rules.randomFill(); });
    connect(m_clearButton, &QPushButton::clicked, this, [this] { m_rules.clearSeats(); });
    connect(m_deleteNamesButton, &QPushButton::clicked, this, [this] { m_rules.deleteNames(); });
    m_rules.setStoredHandler([this] { m_keeper.stored(m_archivio); });
}

void Form2::startUp()
{
    UpdateGuard updating(*this);
    m_keeper.startUp(m_archivio);
    ClassDisplay::showClass(*this, m_archivio, 1);
    ClassDisplay::setTabCaptions(*this, m_archivio);
}

void Form2::showSelectedClass()
{
    ClassDisplay::showClass(*this, m_archivio, selectedTab());
}

void Form2::seatChanged(int desk)
{
    m_rules.seatChanged(desk);
}

void Form2::closeEvent(QCloseEvent *event)
{
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
    m_nameBoxes[size_t(box)]->setText(text);
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
    m_tabStrip->setTabText(tab - 1, caption);
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
