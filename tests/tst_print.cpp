// The printed seating plan: the plan taken from the screen, where each part
// lands on the page, what is drawn there, the PDF, and how the window offers it.

#include "form2.h"
#include "planpainter.h"
#include "planpreviewdialog.h"

#include <QPrinter>
#include <QTest>
#include <QtWidgets>

using Orientation = PlanLayout::Orientation;

namespace {

const QRectF Page(0, 0, 1123, 794); // A4 landscape at 96 dots per inch

QImage render(const PrintableClass &plan, Orientation orientation)
{
    QImage image(Page.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    PlanPainter(plan).paint(painter, PlanLayout(Page, orientation));
    return image;
}

// The share of the pixels inside rect, clear of its outline, that are not white.
qreal ink(const QImage &image, const QRectF &rect)
{
    const QRect inside = rect.toAlignedRect().adjusted(4, 4, -4, -4);
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255);
    return qreal(count) / (inside.width() * inside.height());
}

} // namespace

class PrintTest : public QObject
{
    Q_OBJECT

private slots:
    void windowPrintsWhatTheScreenShows()
    {
        QTemporaryDir dir;
        Form2 window(dir.filePath(QStringLiteral("Posti.bq")));
        window.startUp();
        {
            UpdateGuard updating(window);
            window.setNameText(0, QStringLiteral("Rossi")); // typed, never stored
            for (int desk = 0; desk < SeatingView::Desks; ++desk) {
                window.clearDesk(desk);
                for (const QString &item : {QString(), SeatList::markerText(), QString("Rossi")})
                    window.appendDeskItem(desk, item);
                window.setDeskSelection(desk, desk == 4 ? 2 : desk == 9 ? SeatList::Marker : 0);
            }
        }
        const PrintableClass plan = window.printableClass();
        QCOMPARE(plan.title, QStringLiteral("Classe 1"));
        for (int desk = 0; desk < SeatingView::Desks; ++desk) {
            QCOMPARE(plan.desks[size_t(desk)].pupil, desk == 4 ? QString("Rossi") : QString());
            QCOMPARE(plan.desks[size_t(desk)].unused, desk == 9);
        }
        window.setNameText(SeatingView::ClassNameBox, QStringLiteral(" 3B ")); // title, trimmed

        // Ctrl+P opens the preview; its view can be switched; the room's menu prints.
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QStringList seen;
        int paints = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto *preview =
                    qobject_cast<PlanPreviewDialog *>(QApplication::activeModalWidget())) {
                connect(preview, &QPrintPreviewDialog::paintRequested, this, [&] { ++paints; });
                seen << preview->windowTitle() << QString::number(int(preview->orientation()));
                preview->setOrientation(Orientation::TeacherView);
                seen << QString::number(int(preview->orientation())) << QString::number(paints);
                preview->reject();
            } else if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (QAction *action : menu->actions())
                    seen << action->text();
                menu->close();
            }
        });
        poll.start(10);
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(seen, (QStringList{QStringLiteral("Stampa la pianta: 3B"), "0", "1", "1"}));
        // A right click on the empty room, left of the desks.
        QWidget *room =
            window.findChild<QTabWidget *>(QStringLiteral("TabStrip1"))->currentWidget();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                room->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(room, &event);
        QTRY_COMPARE(seen.mid(4), (QStringList{"Annulla", "Ripeti", "", QStringLiteral("Stampa…"),
                                               "Apri la cartella del file dei posti"}));
    }

    void pageShowsEachDeskAsItIs_data()
    {
        QTest::addColumn<Orientation>("orientation");
        QTest::newRow("pupils' view") << Orientation::PupilsView;
        QTest::newRow("teacher's view") << Orientation::TeacherView;
    }
    void pageShowsEachDeskAsItIs()
    {
        QFETCH(Orientation, orientation);
        // Desk by desk: n named, l a name that needs two lines, o one too long to fit at all,
        // f free, u unused.
        const QString room = QStringLiteral("nfnlnunnfnnnonfnlnnnnunlnnnfnn");
        const PlanLayout layout(Page, orientation);
        PrintableClass blank, plan{QStringLiteral("3B"), {}};
        QList<QRectF> spaces; // where the names and the title may go
        for (int desk = 0; desk < DeskGrid::Desks; ++desk) {
            PrintableClass::Desk &seat = plan.desks[size_t(desk)];
            blank.desks[size_t(desk)].unused = seat.unused = room[desk] == u'u';
            seat.pupil = room[desk] == u'n'   ? QStringLiteral("Pupil %1").arg(desk)
                         : room[desk] == u'l' ? QStringLiteral("Maria Alessandra Caruso-Ferraris")
                         : room[desk] == u'o' ? QStringLiteral("Maria Benedetta ").repeated(12)
                                              : QString();
            spaces << (seat.pupil.isEmpty() ? QRectF() : layout.nameRect(desk));
        }
        spaces << layout.titleRect();
        const QImage image = render(plan, orientation), before = render(blank, orientation);

        // Every pixel the names and title add lies in the title or its own desk's name space.
        QList<QRect> inked(spaces.size());
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == before.pixel(x, y))
                    continue;
                qsizetype part = 0;
                while (part < spaces.size() && !spaces[part].contains(QPointF(x + 0.5, y + 0.5)))
                    ++part;
                QVERIFY2(part < spaces.size(), qPrintable(QString("ink at %1,%2").arg(x).arg(y)));
                inked[part] |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY(inked.last().height() > layout.titleRect().height() / 3);
        const bool turned = orientation == Orientation::TeacherView;
        const QRectF first = layout.deskRect(0), teacher = layout.teacherDeskRect();
        for (int desk = 0; desk < DeskGrid::Desks; ++desk) {
            const QRectF rect = layout.deskRect(desk), space = spaces[desk];
            // Turned half a circle from the screen, desk 0 is in the opposite corner and the
            // teacher's desk, in front of every row, on the other side.
            QVERIFY(Page.contains(rect) &&
                    (turned ? rect.right() <= first.right() && rect.bottom() <= first.bottom() &&
                                  teacher.top() > rect.bottom()
                            : rect.left() >= first.left() && rect.top() >= first.top() &&
                                  teacher.bottom() < rect.top()));
            // A named desk's name is wide enough, and whole: a name cut for want of height
            // would reach the top edge of its space.
            const qreal share = ink(image, rect);
            QVERIFY2(room[desk] == u'f' ? share == 0
                     : room[desk] == u'u'
                         ? share > 0.6
                         : share < 0.4 && inked[desk].width() > space.width() / 3 &&
                               (room[desk] == u'o' || inked[desk].top() > space.top() + 1),
                     qPrintable(QStringLiteral("desk %1: %2").arg(desk).arg(share)));
        }
    }

    void printsOneLandscapeA4PdfPage()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("pianta.pdf")));
        PlanPreviewDialog::preparePrinter(printer);
        PlanPreviewDialog::print(printer, PrintableClass{QStringLiteral("3B"), {}},
                                 Orientation::TeacherView);
        QFile file(printer.outputFileName());
        const QByteArray pdf = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QVERIFY(pdf.startsWith("%PDF-") && pdf.size() > 2000);
        QCOMPARE(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 1);
        QVERIFY(pdf.contains("/MediaBox [0 0 842.000000 595.000000]")); // A4 landscape, in points
    }
};

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
