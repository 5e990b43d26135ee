// SPDX-License-Identifier: GPL-3.0-or-later
// The room's menu and the window's own keys, on the real window and under X as well:
// every way of opening the menu, the tabs giving way to its button, F1, Ctrl+S, Ctrl+Q,
// the buttons' tooltips, the folder of the seating file and what the program says of itself.

#include "keptfiles.h"
#include "modaldialog.h"
#include "realkeys.h"
#include "realmouse.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QDir>
#include <QListWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QToolTip>

namespace {

// The entries of the room's menu, "" for a separator.
const QStringList Entries = QString("Annulla|Ripeti||Memorizza|Stampa…|Segna i banchi da lasciare "
                                    "liberi|Nuovi compagni di banco|Disposizioni "
                                    "precedenti…|Importa elenco…|Esporta…|Regole della classe…|"
                                    "Apri la cartella del file dei posti||Guida|Informazioni su "
                                    "Posti||Chiudi")
                                .split('|');

// A right click at local in widget: through the X server under X, else the event it makes.
void rightClick(QWidget *widget, QPoint local)
{
    QScreen *screen = widget->screen();
    const QPoint global = widget->mapToGlobal(local);
    const QPoint device = (global - screen->geometry().topLeft()) * screen->devicePixelRatio();
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QProcess::execute("xdotool", {"mousemove", "--sync", QString::number(device.x()),
                                      QString::number(device.y()), "click", "3"});
        return;
    }
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, global);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class MenuTest : public QObject
{
    Q_OBJECT

    TestWindow m_window;

    // Opens the room's menu by open, directly or as the last entry of another menu, runs
    // inMenu on it once it shows, closes every menu, and returns the entries' texts.
    QStringList roomMenu(const std::function<void()> &open,
                         const std::function<void(QMenu *)> &inMenu = {})
    {
        QStringList texts;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu || !menu->isVisible() || !texts.isEmpty())
                return;
            if (menu->objectName() != QLatin1String("roomMenu")) {
                menu->setActiveAction(menu->actions().constLast());
                QTest::keyClick(menu, Qt::Key_Right);
                return;
            }
            for (QAction *action : menu->actions())
                texts << action->text();
            if (inMenu)
                inMenu(menu);
            while (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
        });
        poll.start(10);
        open();
        return QTest::qWaitFor(
                   [&] { return !texts.isEmpty() && !QApplication::activePopupWidget(); })
                   ? texts
                   : QStringList();
    }

private slots:
    void init() { QVERIFY(m_window.open(seatingFile())); }
    void cleanup() { m_window.close(); }

    void opensFromEverywhere_data()
    {
        QTest::addColumn<QString>("way");
        for (const char *way : {"button", "room", "desk", "tab", "name box", "F10"})
            QTest::newRow(way) << way;
    }
    void opensFromEverywhere()
    {
        QFETCH(QString, way);
        QComboBox *desk = m_window.desk(12);
        const auto open = [&] {
            QTabBar *bar = m_window.tabs()->tabBar();
            if (way == "button")
                QTest::mouseClick(m_window.control("menuButton"), Qt::LeftButton);
            else if (way == "room") // left of the first desk
                rightClick(m_window.get(), m_window.desk(0)->geometry().topLeft() - QPoint(8, 0));
            else if (way == "desk")
                rightClick(desk, desk->rect().center());
            else if (way == "tab")
                rightClick(bar, bar->tabRect(2).center());
            else if (way == "name box")
                rightClick(m_window.box(5), QPoint(5, 5));
            else
                RealKeys::press(m_window.box(0), Qt::Key_F10);
        };
        QCOMPARE(roomMenu(open), Entries);
        QVERIFY(!desk->view()->isVisible() && m_window.tabs()->currentIndex() == 0);
    }

    // Ten long class names shorten their captions; the button and every control stay put.
    void tabsGiveWayToTheMenuButton()
    {
        const auto places = [this] {
            QList<QRect> places;
            QTabBar *bar = m_window.tabs()->tabBar();
            for (QWidget *control : m_window->findChildren<QWidget *>()) {
                if (control != bar && !bar->isAncestorOf(control) && !control->isWindow())
                    places << control->geometry();
            }
            return places;
        };
        const QList<QRect> before = places();
        for (int tab = 1; tab <= 10; ++tab)
            m_window->setTabCaption(tab, QStringLiteral("Terza B del corso serale %1").arg(tab));
        auto *button = m_window.control<QToolButton>("menuButton");
        QTabBar *bar = m_window.tabs()->tabBar();
        QVERIFY(button && button->isVisible() && m_window->rect().contains(button->geometry()));
        const int buttonLeft =
            button->mapTo(m_window.get(), QPoint()).x() - bar->mapTo(m_window.get(), QPoint()).x();
        for (int tab = 0; tab < 10; ++tab)
            QVERIFY(bar->tabRect(tab).left() >= 0 && bar->tabRect(tab).right() < buttonLeft);
        QCOMPARE(places(), before);
    }

    void keys_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("after");
        QTest::newRow("F1") << QKeySequence(Qt::Key_F1)
                            << "Guida di Posti in classe, * Anna|open|no question";
        QTest::newRow("Ctrl+S") << QKeySequence(Qt::CTRL | Qt::Key_S)
                                << "Anna Anna|open|no question";
        QTest::newRow("Ctrl+Q") << QKeySequence(Qt::CTRL | Qt::Key_Q)
                                << "* Anna|closed|La classe «Classe 1» ha modifiche non "
                                   "memorizzate. Memorizzarle?";
    }
    void keys()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, after);
        QTest::keyClicks(m_window.box(0), "Anna");
        MessageBoxAnswerer answerer("No");
        // Ctrl+Q's window is gone before the key comes up.
        QVERIFY(RealKeys::press(m_window.box(0), keys) || !m_window->isVisible());
        auto *help = m_window.control<QDialog>("helpWindow");
        QStringList state{
            (help ? help->windowTitle() + ", " : QString()) +
                (m_window->isWindowModified() ? "*" : m_window->archivio().cell(0, 0)) + " " +
                m_window.box(0)->text(),
            m_window->isVisible() ? "open" : "closed",
            answerer.count() ? answerer.text() : QString("no question")};
        QCOMPARE(state.join('|'), after);
        if (help) {
            // Whole on the screen, and saying what the keys and the star are and where the file is.
            QVERIFY(help->screen()->availableGeometry().contains(help->frameGeometry()));
            const QString text = help->findChild<QTextBrowser *>()->toPlainText();
            for (const QString &part :
                 {QString("Un * nel titolo"), QString("F10\napre il menu"),
                  QString("Ctrl+Q\nchiude la finestra"), QDir::toNativeSeparators(m_window.path())})
                QVERIFY2(text.contains(part), qPrintable(part));
            // Every entry of the menu, and the key of every entry that has one.
            for (QAction *action : m_window->actions()) {
                const QString key = action->shortcut().toString(QKeySequence::NativeText);
                QString entry = action->text().remove(u'…');
                if (entry.startsWith("Annulla") || entry.startsWith("Ripeti") || entry.isEmpty())
                    continue;
                QVERIFY2(text.contains(entry, Qt::CaseInsensitive), qPrintable(entry));
                QVERIFY2(key.isEmpty() || text.contains(key), qPrintable(key));
            }
        }
    }

    void buttonTooltips_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("tip");
        QTest::newRow("Svuota") << "cmdClear"
                                << "Libera tutti i banchi, tranne quelli segnati da non usare";
        QTest::newRow("Assegna mancanti")
            << "CmdRandom"
            << "Mette a caso gli alunni senza banco nei banchi liberi";
        QTest::newRow("Memorizza") << "cmdSalva"
                                   << "Memorizza la classe sullo schermo (Ctrl+S)";
        QTest::newRow("Cancella nomi")
            << "cmdCancNomi"
            << "Cancella i nomi e i banchi della classe, dopo averlo chiesto";
        QTest::newRow("Menu") << "menuButton"
                              << "Stampa, annulla, guida e le altre voci (F10, o clic destro "
                                 "sull'aula)";
    }
    void buttonTooltips()
    {
        QFETCH(QString, button);
        QFETCH(QString, tip);
        QVERIFY(RealMouse::hover(m_window.control(button)));
        QTRY_COMPARE(QToolTip::text(), tip);
    }

    // The entry's tooltip names the folder, and before the first close says the file will
    // be written there; where nothing can open a folder, a message says where it is.
    void openFolder()
    {
        const QString folder = QDir::toNativeSeparators(QFileInfo(m_window.path()).absolutePath());
        m_window.close();
        QVERIFY(QFile::remove(m_window.path()) && m_window.open());
        for (const QString &tip : {"Apre la cartella dove il file dei posti sarà scritto alla "
                                   "chiusura: " +
                                       folder,
                                   "Apre la cartella del file dei posti: " + folder}) {
            QString shown;
            roomMenu([this] { RealKeys::press(m_window.box(0), Qt::Key_F10); },
                     [&](QMenu *menu) {
                         QAction *entry = m_window.action("openFolderAction");
                         QVERIFY(menu->actions().contains(entry));
                         shown = entry->toolTip();
                         // Shown on the screen as the pointer rests on the entry.
                         if (tip.contains(u'à')) {
                             RealMouse::hover(menu, menu->actionGeometry(entry).center());
                             (void)QTest::qWaitFor([&] { return QToolTip::text() == tip; });
                             shown += '|' + QToolTip::text();
                         }
                     });
            QCOMPARE(shown, tip.contains(u'à') ? tip + '|' + tip : tip);
            m_window.close();
            QVERIFY(m_window.open());
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", ""); // no file manager to be found
        MessageBoxAnswerer answerer("OK");
        m_window.action("openFolderAction")->trigger();
        qputenv("PATH", path);
        QCOMPARE(answerer.texts(),
                 QStringList("Non è stato possibile aprire la cartella del file dei posti. La si "
                             "trova con un gestore di file in:\n" +
                             folder));
    }

    void about()
    {
        MessageBoxAnswerer answerer("OK");
        m_window.action("aboutAction")->trigger();
        QCOMPARE(answerer.title() + '\n' + answerer.text(),
                 "Informazioni su Posti\nPosti in classe, versione 1.0\n\nSoftware libero, "
                 "distribuito secondo la GNU General Public License, versione 3 o successiva "
                 "(GPL-3.0-or-later), senza alcuna garanzia.\n\nFile dei posti:\n" +
                     QDir::toNativeSeparators(m_window.path()));
    }

    // Ctrl+D opens the plans kept beside the file: Enter puts the selected one back on the
    // screen as a step to undo; "Cancella la cronologia" asks, No by default, and empties them.
    void plansFromTheMenu()
    {
        Fields reversed;
        for (int desk = 0; desk < 30; ++desk)
            reversed[desk] =
                QByteArray::number(30 - desk) + " Alunno " + QByteArray::number(29 - desk);
        QVERIFY(KeptFiles::writeAll(m_window.besideFile("Posti-cronologia.txt"),
                                    historyFile({planLine("2026-10-12", reversed)})));
        QVERIFY(m_window.open(seatingFile(withClass({}, 1, "3A", "Alunno", seats()))));
        QCOMPARE(plansShown(Qt::Key_Return), QStringList{"12 ottobre"});
        QCOMPARE(m_window.desk(0)->currentText(), "Alunno 29");
        QCOMPARE(m_window.desk(29)->currentText(), "Alunno 0");
        QCOMPARE(m_window.action("undoAction")->text(), "Annulla ripristino della disposizione");

        MessageBoxAnswerer answerer("Sì");
        plansShown(Qt::ALT | Qt::Key_O);
        QCOMPARE(answerer.text(), "Cancellare tutte le disposizioni memorizzate della classe «3A»? "
                                  "«Nuovi compagni di banco» non saprà più chi è già stato "
                                  "compagno di banco di chi.");
        QCOMPARE(answerer.defaultButtons(), QStringList{"No"});
        QCOMPARE(plansShown(Qt::Key_Escape),
                 QStringList{"Non ci sono ancora disposizioni memorizzate."});
    }

private:
    // Opens "Disposizioni precedenti…" with Ctrl+D, returns its list of dates
    // and leaves it with keys.
    QStringList plansShown(QKeySequence keys)
    {
        QStringList dates;
        m_window.activateIfNone();
        const bool focused = withModalDialog(
            [&] { QVERIFY(RealKeys::press(m_window.box(0), QKeySequence(Qt::CTRL | Qt::Key_D))); },
            [&](QDialog *dialog) {
                auto *list = dialog->findChild<QListWidget *>("plansList");
                for (int row = 0; row < list->count(); ++row)
                    dates << list->item(row)->text();
                RealKeys::press(QApplication::focusWidget(), keys);
                // A button's mnemonic clicks it after a moment, to show it pressed.
                (void)QTest::qWaitFor([dialog] { return !dialog->isVisible(); });
            });
        [&] {
            QVERIFY(focused);
        }();
        return dates;
    }
};

POSTI_TEST_MAIN(MenuTest)
#include "tst_menu.moc"
