// SPDX-License-Identifier: GPL-3.0-or-later
// The printed seating plan: the plan taken from the screen, where each part
// lands on the page, what is drawn there, the PDF, and how the window offers it
// through Qt's preview, in Italian.

#include "planpainter.h"
#include "planpreviewdialog.h"
#include "qttranslations.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>

using Orientation = PlanLayout::Orientation;

namespace {

const QRectF Landscape(0, 0, 1123, 794); // A4 at 96 dots per inch
const QRectF Portrait(0, 0, 794, 1123);
const QRgb TeacherDeskFill = qRgb(215, 215, 215);

QImage render(const PrintableClass &plan, const PlanLayout &layout)
{
    QImage image(layout.page().size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    PlanPainter(plan).paint(painter, layout);
    return image;
}

// The share of the pixels inside rect, clear of its outline, that are not white,
// leaving out those in skip.
qreal ink(const QImage &image, const QRectF &rect, const QRectF &skip = {}, int outline = 4)
{
    const QRect inside = rect.toAlignedRect().adjusted(outline, outline, -outline, -outline);
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255) &&
                     !skip.contains(QPointF(x + 0.5, y + 0.5));
    return qreal(count) / (inside.width() * inside.height());
}

// Where the preview shows the teacher's desk on its page: "top", "bottom" or "none". The
// desk is the one wide grey fill on the page; grey text edges are narrow.
QString teacherDeskSide(QWidget *preview)
{
    const QImage image = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QRect page, desk;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0, run = 0; x < image.width(); ++x) {
            page |= image.pixel(x, y) == qRgb(255, 255, 255) ? QRect(x, y, 1, 1) : QRect();
            run = image.pixel(x, y) == TeacherDeskFill ? run + 1 : 0;
            desk |= run > 20 ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return desk.isEmpty() || !page.contains(desk)  ? "none"
           : desk.center().y() < page.center().y() ? "top"
                                                   : "bottom";
}

QStringList actionTexts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (QAction *action : actions)
        texts << action->text() + (action->isChecked() ? QStringLiteral(" (on)") : QString());
    return texts;
}

} // namespace

class PrintTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        QVERIFY(QtTranslations::installItalian());
        // A home of the test's own, with its documents folder.
        qputenv("HOME", m_home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        QVERIFY(QDir(m_home.path()).mkdir("Documents"));
    }

    void windowPrintsWhatTheScreenShows()
    {
        TestWindow window;
        QVERIFY(window.open());
        {
            UpdateGuard updating(*window.get());
            window->setNameText(0, QStringLiteral(" Rossi "));      // typed, never stored
            window->setNameText(7, QStringLiteral(" Verdi Anna ")); // at no desk
            for (int desk = 0; desk < SeatingView::Desks; ++desk) {
                window->setDeskItems(
                    desk, {QString(), SeatList::markerText(), QStringLiteral(" Rossi ")});
                window->setDeskSelection(desk, desk == 4 ? 2 : desk == 9 ? SeatList::Marker : 0);
            }
        }
        const PrintableClass plan = window->printableClass();
        QStringList desks; // the pupil's name, or "-" for a desk not to be used
        for (const PrintableClass::Desk &desk : plan.desks)
            desks << (desk.unused ? "-" : desk.pupil);
        QCOMPARE(plan.title + plan.printed.toString() + desks.join(','),
                 "Classe 1" + QDate::currentDate().toString() + ",,,,Rossi,,,,,-" +
                     QString(",").repeated(20));
        QCOMPARE(PlanPainter(plan).unseatedLine(), QStringLiteral("Senza banco: Verdi Anna."));
        window->setNameText(SeatingView::ClassNameBox, QStringLiteral(" 3B ")); // title, trimmed

        // Ctrl+P opens the preview, in Italian (the one check of Qt's own
        // words), with the landscape page shown as such. The teacher's view,
        // once chosen, is what the preview paints and what the next preview
        // starts with.
        QStringList seen;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            // The window's preview comes from the printing module, whose
            // classes are not the test's: Qt's own dialog and its children.
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) { // no module: told, not hung
                seen << box->text();
                box->reject();
                return;
            }
            auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
            if (!preview || !preview->isVisible())
                return;
            auto *view = preview->findChild<QComboBox *>("orientationBox");
            const QStringList actions = actionTexts(preview->findChildren<QAction *>());
            QWidget *page = preview->findChild<QPrintPreviewWidget *>();
            seen << preview->windowTitle() << view->currentData().toString()
                 << QString::number(actions.contains("Stampa") &&
                                    actions.contains("Orizzontale (on)") &&
                                    actions.contains("Verticale"))
                 << teacherDeskSide(page);
            view->setCurrentIndex(view->findData(int(Orientation::TeacherView)));
            seen << teacherDeskSide(page);
            if (!poll.property("saved").toBool()) {
                poll.setProperty("saved", true);
                // A PDF is saved where the teacher says, offered in the documents folder.
                QTimer::singleShot(0, preview, [&seen] {
                    auto *save = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                    seen << save->directory().absolutePath() + '/' +
                                save->findChild<QLineEdit *>()->text();
                    save->selectFile(QDir::home().filePath("Copia.pdf"));
                    static_cast<QDialog *>(save)->accept();
                });
                preview->findChild<QPushButton *>("savePdfButton")->click();
                seen << QString::number(QFileInfo(QDir::home().filePath("Copia.pdf")).size() >
                                        2000);
            }
            preview->reject();
        });
        poll.start(10);
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(seen,
                 (QStringList{"Stampa la pianta: 3B", "0", "1", "top", "bottom",
                              QDir::homePath() + "/Documents/Pianta dei posti - 3B.pdf", "1"}));
        seen.clear();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(seen, (QStringList{"Stampa la pianta: 3B", "1", "1", "bottom", "bottom"}));
        poll.stop();
    }

    void pageShowsEachDeskAsItIs_data()
    {
        QTest::addColumn<QRectF>("page");
        QTest::addColumn<Orientation>("orientation");
        QTest::addColumn<int>("unseated"); // pupils without a desk, listed at the foot
        QTest::addColumn<int>("footLines");
        QTest::newRow("landscape, pupils' view") << Landscape << Orientation::PupilsView << 0 << 0;
        QTest::newRow("landscape, teacher's view, 2 without desk")
            << Landscape << Orientation::TeacherView << 2 << 1;
        QTest::newRow("portrait, pupils' view, 30 without desk")
            << Portrait << Orientation::PupilsView << 30 << 3;
        QTest::newRow("portrait, teacher's view, 5 without desk")
            << Portrait << Orientation::TeacherView << 5 << 2;
    }
    void pageShowsEachDeskAsItIs()
    {
        QFETCH(QRectF, page);
        QFETCH(Orientation, orientation);
        QFETCH(int, unseated);
        QFETCH(int, footLines);
        // Desk by desk: n named, l a name that needs two lines, o one too long to fit at all,
        // f free, u unused.
        const QString room = QStringLiteral("nfnlnunnfnnnonfnlnnnnunlnnnfnn");
        PrintableClass blank, plan{QStringLiteral("3B"), {}};
        for (int pupil = 0; pupil < unseated; ++pupil)
            plan.unseated << QStringLiteral("Castiglioni Maria Benedetta %1").arg(pupil);
        const PlanLayout layout = PlanPainter(plan).layout(page, orientation);
        QCOMPARE(layout.footLines(), footLines);
        blank.printed = plan.printed.addDays(40);
        QList<QRectF> spaces; // where the names, the title and the date may go
        for (int desk = 0; desk < DeskGrid::Desks; ++desk) {
            PrintableClass::Desk &seat = plan.desks[size_t(desk)];
            blank.desks[size_t(desk)].unused = seat.unused = room[desk] == u'u';
            seat.pupil = room[desk] == u'n'   ? QStringLiteral("Pupil %1").arg(desk)
                         : room[desk] == u'l' ? QStringLiteral("Maria Alessandra Caruso-Ferraris")
                         : room[desk] == u'o' ? QStringLiteral("Maria Benedetta ").repeated(12)
                                              : QString();
            spaces << (seat.pupil.isEmpty() ? QRectF() : layout.nameRect(desk));
        }
        spaces << layout.titleRect() << layout.unseatedRect() << layout.dateRect();
        const QImage image = render(plan, layout), before = render(blank, layout);

        // Every pixel the names, title and date add lies in its own space.
        QList<QRect> inked(spaces.size());
        for (int y = 0; y < image.height(); ++y) {
            const auto *now = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            const auto *was = reinterpret_cast<const QRgb *>(before.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (now[x] == was[x])
                    continue;
                qsizetype part = 0;
                while (part < spaces.size() && !spaces[part].contains(QPointF(x + 0.5, y + 0.5)))
                    ++part;
                QVERIFY2(part < spaces.size(), qPrintable(QString("ink at %1,%2").arg(x).arg(y)));
                inked[part] |= QRect(x, y, 1, 1);
            }
        }
        // The title large, the date small, at the foot.
        const QRect title = inked[DeskGrid::Desks], date = inked.last();
        // Above the date, below the room, the pupils without a desk, if any.
        const QRectF foot = layout.unseatedRect();
        QVERIFY(title.height() > layout.titleRect().height() / 3 && date.height() > 4 &&
                date.height() < layout.titleRect().height() / 2 &&
                layout.dateRect().bottom() <= page.bottom() &&
                layout.dateRect().top() >= foot.bottom() &&
                foot.top() > qMax(layout.deskRect(9).bottom(), layout.teacherDeskRect().bottom()));
        QCOMPARE(inked[DeskGrid::Desks + 1].isEmpty(), unseated == 0);
        const bool turned = orientation == Orientation::TeacherView;
        const QRectF first = layout.deskRect(0), teacher = layout.teacherDeskRect();
        QList<int> nameHeights;
        for (int desk = 0; desk < DeskGrid::Desks; ++desk) {
            const QRectF rect = layout.deskRect(desk), space = spaces[desk];
            const QRectF number = layout.numberRect(desk), name = layout.nameRect(desk);
            // Turned half a circle from the screen, desk 0 is in the opposite corner and the
            // teacher's desk, in front of every row, on the other side.
            QVERIFY(page.contains(rect) &&
                    (turned ? rect.right() <= first.right() && rect.bottom() <= first.bottom() &&
                                  teacher.top() > rect.bottom()
                            : rect.left() >= first.left() && rect.top() >= first.top() &&
                                  teacher.bottom() < rect.top()));
            // Inside the desk's outline, the name's space in the middle, the number clear of it.
            QVERIFY(rect.adjusted(3, 3, -3, -3).contains(name | number) &&
                    !name.intersects(number) && qAbs(name.center().x() - rect.center().x()) < 0.5 &&
                    qAbs(name.center().y() - rect.center().y()) < 0.5);
            // Every desk shows its number, and a free one nothing else. A named desk's name
            // is wide enough, and whole: a name cut for want of height would reach the top
            // edge of its space.
            QVERIFY2(ink(before, number, {}, 0) > 0.01, qPrintable(QString::number(desk)));
            const qreal share = ink(image, rect, number);
            QVERIFY2(room[desk] == u'f' ? share == 0
                     : room[desk] == u'u'
                         ? share > 0.6
                         : share < 0.4 && inked[desk].width() > space.width() / 4 &&
                               (room[desk] == u'o' || inked[desk].top() > space.top() + 1),
                     qPrintable(QStringLiteral("desk %1: %2").arg(desk).arg(share)));
            nameHeights << (room[desk] == u'n' ? inked[desk].height() : 0);
        }
        // The names share one size, set by the name on two lines, not by the one that
        // cannot fit at all.
        nameHeights.removeAll(0);
        const auto [lowest, highest] = std::minmax_element(nameHeights.begin(), nameHeights.end());
        QVERIFY2(*highest - *lowest <= 1, qPrintable(QString("%1 %2").arg(*lowest).arg(*highest)));
        QVERIFY(inked[3].height() > 1.8 * *highest && *highest > layout.deskSize().height() / 9);
    }

    void printsOneLandscapeA4PdfPage()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("pianta.pdf")));
        const PrintableClass plan{QStringLiteral("3.B/C"), {}};
        PlanPreviewDialog::preparePrinter(printer, plan);
        QCOMPARE(printer.docName(), QStringLiteral("Pianta dei posti - 3-B-C"));
        QCOMPARE(PlanPainter::dateLine(QDate(2026, 12, 7)),
                 QStringLiteral("Stampata il 7 dicembre 2026"));
        PlanPreviewDialog::print(printer, plan, Orientation::TeacherView);
        QFile file(printer.outputFileName());
        const QByteArray pdf = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QVERIFY(pdf.startsWith("%PDF-") && pdf.size() > 2000);
        QCOMPARE(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 1);
        QVERIFY(pdf.contains("/MediaBox [0 0 842.000000 595.000000]")); // A4 landscape, in points
    }
};

POSTI_TEST_MAIN(PrintTest)
#include "tst_print.moc"
