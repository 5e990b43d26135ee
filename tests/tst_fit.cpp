// SPDX-License-Identifier: GPL-3.0-or-later
// The window on screens of every size, under a real X server and window manager (run by
// ctest at several screen sizes and scale factors): the whole window is on the screen and
// every control can be clicked there; on a screen that holds it, it is laid out as drawn.
// A read-only copy's window is taller by its bar, which shows the file's name.

#include "readonlybar.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QLockFile>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QTest>
#include <QtWidgets>

const QSize FullSize(1243, 529); // the window as drawn, in device-independent pixels
const int BarHeight = 22;        // a read-only copy's bar above it

class FitTest : public QObject
{
    Q_OBJECT

    TestWindow m_window;

    template <typename T> QList<T *> controls() const { return m_window->findChildren<T *>(); }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("writing") << false;
        QTest::newRow("read-only") << true;
    }
    void init()
    {
        QFETCH_GLOBAL(bool, readOnly);
        QLockFile other(m_window.path() + ".lock"); // another copy holds the file
        MessageBoxAnswerer told(QString("OK"));
        QVERIFY(!readOnly || other.tryLock());
        QVERIFY(m_window.open({}, &told) && told.count() == (readOnly ? 1 : 0));
        QTRY_VERIFY(m_window->screen()->availableGeometry().contains(m_window->frameGeometry()));
    }
    void cleanup() { m_window.close(); }

    // Whole on the screen, frame and all; at full size where that fits, else smaller, with
    // every font smaller by the same factor.
    void wholeWindowOnScreen()
    {
        QFETCH_GLOBAL(bool, readOnly);
        QVERIFY(QGuiApplication::platformName() == QLatin1String("xcb"));
        const QSize full = FullSize + QSize(0, readOnly ? BarHeight : 0);
        const QRect available = m_window->screen()->availableGeometry();
        const QMargins frame = m_window->windowHandle()->frameMargins();
        const bool fits = full.width() + frame.left() + frame.right() <= available.width() &&
                          full.height() + frame.top() + frame.bottom() <= available.height();
        const qreal factor = qreal(m_window->width()) / full.width();
        QCOMPARE(m_window->size() == full, fits);
        QVERIFY(qAbs(qreal(m_window->height()) / full.height() - factor) < 0.01);
        auto *desk = m_window->findChild<QComboBox *>(QStringLiteral("Combo1(26)"));
        QVERIFY(qAbs(desk->font().pointSizeF() / QApplication::font().pointSizeF() - factor) <
                    0.01 &&
                qAbs(desk->x() - 9360 / 15 * factor) <= 1 &&
                qAbs(desk->y() - (4080 / 15 + (readOnly ? BarHeight : 0)) * factor) <= 1);
        for (ReadOnlyBar *bar : m_window->findChildren<ReadOnlyBar *>())
            QVERIFY(bar->shownText().endsWith(QStringLiteral("/Posti.bq")) &&
                    bar->geometry().bottom() < m_window.tabs()->y());
        for (QPushButton *button : controls<QPushButton>())
            QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) <= button->width());
    }

    // Every box, desk, button and tab: on the screen, not covered by another control, and
    // answering a real click.
    void everyControlClickable()
    {
        QScreen *screen = m_window->screen();
        MessageBoxAnswerer answerer(QStringList(8, QStringLiteral("No")));
        QStringList failed;
        int checked = 0;
        // Clicks through the X server, as a mouse does, where local lies on the screen.
        auto check = [&](QWidget *control, const std::function<bool()> &done, QPoint local = {}) {
            const QPoint global =
                control->mapToGlobal(local.isNull() ? control->rect().center() : local);
            const QPoint device =
                (global - screen->geometry().topLeft()) * screen->devicePixelRatio();
            QWidget *hit = QApplication::widgetAt(global);
            ++checked;
            if (!screen->availableGeometry().contains(global) ||
                (hit != control && !control->isAncestorOf(hit)) ||
                QProcess::execute("xdotool", {"mousemove", "--sync", QString::number(device.x()),
                                              QString::number(device.y()), "click", "1"}) != 0 ||
                !QTest::qWaitFor(done, 3000))
                failed << control->objectName();
        };
        for (QLineEdit *box : controls<QLineEdit>())
            check(box, [box] { return box->hasFocus(); });
        for (QComboBox *desk : controls<QComboBox>()) {
            check(desk, [desk] { return desk->view()->isVisible(); });
            desk->hidePopup();
        }
        for (QPushButton *button : controls<QPushButton>()) {
            bool clicked = false;
            connect(button, &QPushButton::clicked, this, [&clicked] { clicked = true; });
            check(button, [&clicked] { return clicked; });
        }
        QTabBar *tabs = m_window->findChild<QTabBar *>();
        for (int tab = Archivio::Classes - 1; tab >= 0; --tab)
            check(
                tabs, [=] { return tabs->currentIndex() == tab; }, tabs->tabRect(tab).center());
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join(u' ')));
        QCOMPARE(checked, 31 + 30 + 4 + Archivio::Classes);
    }

    // The print preview's choice of view and its PDF button are on the screen, never behind
    // the tool bar's "››".
    void previewChoicesOnScreen()
    {
        QStringList shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!preview || !QTest::qWaitForWindowExposed(preview))
                return;
            poll.stop();
            const QRect screen = preview->screen()->availableGeometry();
            for (const char *name : {"orientationBox", "savePdfButton"}) {
                auto *control = preview->findChild<QWidget *>(name);
                if (control && control->isVisible() &&
                    screen.contains(QRect(control->mapToGlobal(QPoint()), control->size())))
                    shown << name;
            }
            preview->reject();
        });
        poll.start(10);
        QTest::keyClick(m_window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(shown, (QStringList{"orientationBox", "savePdfButton"}));
    }
};

POSTI_TEST_MAIN(FitTest)
#include "tst_fit.moc"
