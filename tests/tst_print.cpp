// The printed seating plan: where the page layout puts each part, what the
// painter draws there, the PDF it prints, and how the window offers it.

#include "form2.h"
#include "planlayout.h"
#include "planpainter.h"
#include "planpreviewdialog.h"
#include "seatingplan.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using Orientation = PlanLayout::Orientation;
Q_DECLARE_METATYPE(Orientation)

namespace {

// A4 landscape at 96 dots per inch.
const QSize PageSize(1123, 794);

QImage render(const SeatingPlan &plan, Orientation orientation, const QSize &size = PageSize)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    PlanPainter(plan).paint(painter, PlanLayout(QRectF(image.rect()), orientation));
    return image;
}

QRectF deskRect(int desk, Orientation orientation)
{
    return PlanLayout(QRectF(QPoint(0, 0), PageSize), orientation).deskRect(desk);
}

// The pixels of image inside rect, shrunk by margin, that pass.
int countPixels(const QImage &image, const QRectF &rect, int margin,
                const std::function<bool(QRgb)> &pass)
{
    const QRect inside = rect.toAlignedRect().adjusted(margin, margin, -margin, -margin);
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += pass(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

bool isInk(QRgb pixel)
{
    return pixel != qRgb(255, 255, 255);
}

// Grey, neither paper nor the near-black of text and outlines.
bool isGrey(QRgb pixel)
{
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) && qRed(pixel) > 120 &&
           qRed(pixel) < 245;
}

// The smallest rectangle holding every pixel in which a and b differ.
QRect differenceBounds(const QImage &a, const QImage &b)
{
    QRect bounds;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

SeatingPlan planWithPupilOn(int desk, const QString &pupil)
{
    SeatingPlan plan;
    plan.desks[size_t(desk)].pupil = pupil;
    return plan;
}

void addOrientationRows(const char *what)
{
    QTest::newRow(qPrintable(QStringLiteral("%1, pupils' view").arg(QLatin1String(what))))
        << Orientation::PupilsView;
    QTest::newRow(qPrintable(QStringLiteral("%1, teacher's view").arg(QLatin1String(what))))
        << Orientation::TeacherView;
}

} // namespace

class PrintTest : public QObject
{
    Q_OBJECT

private slots:
    void titleNamesTheClass_data();
    void titleNamesTheClass();
    void deskShowsWhatItsSelectorShows_data();
    void deskShowsWhatItsSelectorShows();

    void desksStandAsInTheRoom_data();
    void desksStandAsInTheRoom();
    void firstDeskAndTeacherDeskMarkTheView_data();
    void firstDeskAndTeacherDeskMarkTheView();
    void partsStayOnThePageAndApart_data();
    void partsStayOnThePageAndApart();

    void pupilIsDrawnOnTheirDesk_data();
    void pupilIsDrawnOnTheirDesk();
    void overlongNameStaysOnItsDesk();
    void freeDesksStayEmpty_data();
    void freeDesksStayEmpty();
    void unusedDesksAreHatchedGrey_data();
    void unusedDesksAreHatchedGrey();
    void titleIsDrawnOnTop();
    void printsOneLandscapeA4PdfPage();

    void windowPrintsWhatTheScreenShows();
    void ctrlPOpensThePreview();
    void roomContextMenuOffersPrinting();
    void switchingTheViewRedrawsThePreview();
};

void PrintTest::titleNamesTheClass_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("title");
    QTest::newRow("named") << "3B" << 2 << "3B";
    QTest::newRow("padded") << "  3B " << 2 << "3B";
    QTest::newRow("unnamed") << "" << 4 << "Classe 4";
    QTest::newRow("blank as stored") << " " << 10 << "Classe 10";
}

void PrintTest::titleNamesTheClass()
{
    QFETCH(QString, className);
    QFETCH(int, tab);
    QFETCH(QString, title);
    QCOMPARE(SeatingPlan::titleFor(className, tab), title);
}

void PrintTest::deskShowsWhatItsSelectorShows_data()
{
    QTest::addColumn<int>("selection");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("pupil");
    QTest::addColumn<bool>("unused");
    QTest::newRow("blank") << 0 << ""
                           << "" << false;
    QTest::newRow("marker") << 1 << SeatList::markerText() << "" << true;
    QTest::newRow("pupil") << 2 << "Rossi Marco"
                           << "Rossi Marco" << false;
    QTest::newRow("later pupil") << 7 << "Bianchi"
                                 << "Bianchi" << false;
    QTest::newRow("typed") << -1 << "Verdi "
                           << "Verdi" << false;
    QTest::newRow("nothing") << -1 << ""
                             << "" << false;
}

void PrintTest::deskShowsWhatItsSelectorShows()
{
    QFETCH(int, selection);
    QFETCH(QString, shown);
    QFETCH(QString, pupil);
    QFETCH(bool, unused);
    const SeatingPlan::Desk desk = SeatingPlan::Desk::fromSelector(selection, shown);
    QCOMPARE(desk.pupil, pupil);
    QCOMPARE(desk.unused, unused);
}

void PrintTest::desksStandAsInTheRoom_data()
{
    QTest::addColumn<Orientation>("orientation");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<bool>("sameRow"); // else first stands in the row in front of second
    // As on screen: the front row on top, desk 0 on the left.
    QTest::newRow("pair") << Orientation::PupilsView << 0 << 1 << true;
    QTest::newRow("banks") << Orientation::PupilsView << 1 << 10 << true;
    QTest::newRow("banks, last row") << Orientation::PupilsView << 19 << 28 << true;
    QTest::newRow("rows") << Orientation::PupilsView << 0 << 2 << false;
    QTest::newRow("rows, right bank") << Orientation::PupilsView << 27 << 29 << false;
    // Turned round: what was left is right, the front row at the bottom.
    QTest::newRow("turned pair") << Orientation::TeacherView << 1 << 0 << true;
    QTest::newRow("turned banks") << Orientation::TeacherView << 10 << 1 << true;
    QTest::newRow("turned banks, last row") << Orientation::TeacherView << 28 << 19 << true;
    QTest::newRow("turned rows") << Orientation::TeacherView << 2 << 0 << false;
    QTest::newRow("turned rows, right bank") << Orientation::TeacherView << 29 << 27 << false;
}

void PrintTest::desksStandAsInTheRoom()
{
    QFETCH(Orientation, orientation);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(bool, sameRow);
    const QRectF a = deskRect(first, orientation);
    const QRectF b = deskRect(second, orientation);
    if (sameRow) {
        QCOMPARE(a.top(), b.top());
        QVERIFY(a.right() < b.left());
    } else {
        QCOMPARE(a.left(), b.left());
        QVERIFY(a.bottom() < b.top());
    }
}

void PrintTest::firstDeskAndTeacherDeskMarkTheView_data()
{
    QTest::addColumn<Orientation>("orientation");
    QTest::newRow("pupils' view") << Orientation::PupilsView;
    QTest::newRow("teacher's view") << Orientation::TeacherView;
}

void PrintTest::firstDeskAndTeacherDeskMarkTheView()
{
    QFETCH(Orientation, orientation);
    const PlanLayout layout(QRectF(QPoint(0, 0), PageSize), orientation);
    const bool turned = orientation == Orientation::TeacherView;
    const QRectF first = layout.deskRect(0);
    for (int desk = 1; desk < DeskGrid::Desks; ++desk) {
        const QRectF other = layout.deskRect(desk);
        if (turned) {
            QVERIFY(other.right() < first.right() || other.bottom() < first.bottom());
            QVERIFY(other.right() <= first.right() && other.bottom() <= first.bottom());
        } else {
            QVERIFY(other.left() > first.left() || other.top() > first.top());
            QVERIFY(other.left() >= first.left() && other.top() >= first.top());
        }
        // The teacher's desk faces the first rows.
        if (turned)
            QVERIFY(layout.teacherDeskRect().top() > other.bottom());
        else
            QVERIFY(layout.teacherDeskRect().bottom() < other.top());
    }
    QVERIFY((first.center().x() < PageSize.width() / 2) != turned);
    QVERIFY((first.center().y() < PageSize.height() / 2) != turned);
}

void PrintTest::partsStayOnThePageAndApart_data()
{
    QTest::addColumn<Orientation>("orientation");
    QTest::addColumn<QRectF>("page");
    const QRectF landscape(QPointF(0, 0), PageSize);
    const QRectF portrait(0, 0, PageSize.height(), PageSize.width());
    const QRectF offset(36.5, 48.25, 3400, 2300); // a printer's page, off its corner
    for (Orientation orientation : {Orientation::PupilsView, Orientation::TeacherView}) {
        const char *view = orientation == Orientation::PupilsView ? "pupils" : "teacher";
        QTest::addRow("%s, landscape", view) << orientation << landscape;
        QTest::addRow("%s, portrait", view) << orientation << portrait;
        QTest::addRow("%s, offset", view) << orientation << offset;
    }
}

void PrintTest::partsStayOnThePageAndApart()
{
    QFETCH(Orientation, orientation);
    QFETCH(QRectF, page);
    const PlanLayout layout(page, orientation);
    QList<QRectF> parts{layout.titleRect(), layout.captionRect(), layout.teacherDeskRect()};
    for (int desk = 0; desk < DeskGrid::Desks; ++desk)
        parts << layout.deskRect(desk);
    for (int i = 0; i < parts.size(); ++i) {
        QVERIFY2(page.contains(parts[i]), qPrintable(QString::number(i)));
        QVERIFY(!parts[i].isEmpty());
        for (int j = i + 1; j < parts.size(); ++j)
            QVERIFY2(!parts[i].intersects(parts[j]),
                     qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
    }
}

void PrintTest::pupilIsDrawnOnTheirDesk_data()
{
    QTest::addColumn<Orientation>("orientation");
    QTest::addColumn<int>("desk");
    QTest::addColumn<QString>("pupil");
    for (int desk = 0; desk < DeskGrid::Desks; ++desk) {
        // Every fifth a name too long for one line at full size.
        const QString pupil = desk % 5 == 3
                                  ? QStringLiteral("Maria Alessandra Benedetta Caruso-Ferraris")
                                  : QStringLiteral("Pupil %1").arg(desk);
        QTest::addRow("desk %d, pupils' view", desk) << Orientation::PupilsView << desk << pupil;
        QTest::addRow("desk %d, teacher's view", desk) << Orientation::TeacherView << desk << pupil;
    }
}

void PrintTest::pupilIsDrawnOnTheirDesk()
{
    QFETCH(Orientation, orientation);
    QFETCH(int, desk);
    QFETCH(QString, pupil);
    const QImage empty = render(SeatingPlan(), orientation);
    const QImage seated = render(planWithPupilOn(desk, pupil), orientation);
    const QRect changed = differenceBounds(empty, seated);
    QVERIFY(!changed.isEmpty());
    // Within the desk, clear of its outline, and across a good part of it.
    const PlanLayout layout(QRectF(QPoint(0, 0), PageSize), orientation);
    const QRectF space = layout.nameRect(desk);
    QVERIFY(layout.deskRect(desk).contains(space));
    QVERIFY(space.contains(QRectF(changed)));
    // Whole: names are centred, so one cut off for want of height would
    // reach the top edge of its space, which the ascent of a line keeps free.
    QVERIFY2(changed.top() > space.top() + 1,
             qPrintable(
                 QStringLiteral("ink from %1, space from %2").arg(changed.top()).arg(space.top())));
    QVERIFY(changed.width() > space.width() / 3);
}

void PrintTest::overlongNameStaysOnItsDesk()
{
    // Nothing limits what is typed into a name box.
    const QString pupil = QStringLiteral("Maria Alessandra Benedetta ").repeated(8);
    const QImage empty = render(SeatingPlan(), Orientation::PupilsView);
    const QImage seated = render(planWithPupilOn(12, pupil), Orientation::PupilsView);
    const QRect changed = differenceBounds(empty, seated);
    QVERIFY(!changed.isEmpty());
    const PlanLayout layout(QRectF(QPoint(0, 0), PageSize), Orientation::PupilsView);
    QVERIFY(layout.nameRect(12).toAlignedRect().contains(changed));
}

void PrintTest::freeDesksStayEmpty_data()
{
    QTest::addColumn<Orientation>("orientation");
    addOrientationRows("every other desk free");
}

void PrintTest::freeDesksStayEmpty()
{
    QFETCH(Orientation, orientation);
    SeatingPlan plan;
    plan.title = QStringLiteral("3B");
    for (int desk = 0; desk < DeskGrid::Desks; desk += 2)
        plan.desks[size_t(desk)].pupil = QStringLiteral("Rossi %1").arg(desk);
    const QImage image = render(plan, orientation);
    for (int desk = 0; desk < DeskGrid::Desks; ++desk) {
        const int ink = countPixels(image, deskRect(desk, orientation), 4, isInk);
        if (desk % 2 == 0)
            QVERIFY2(ink > 50, qPrintable(QString::number(desk)));
        else
            QVERIFY2(ink == 0, qPrintable(QString::number(desk)));
    }
}

void PrintTest::unusedDesksAreHatchedGrey_data()
{
    QTest::addColumn<Orientation>("orientation");
    addOrientationRows("desks 5 and 22 unused");
}

void PrintTest::unusedDesksAreHatchedGrey()
{
    QFETCH(Orientation, orientation);
    SeatingPlan plan;
    for (int desk = 0; desk < DeskGrid::Desks; ++desk)
        plan.desks[size_t(desk)].pupil = QStringLiteral("Bianchi Giulia");
    plan.desks[5] = {QString(), true};
    plan.desks[22] = {QString(), true};
    plan.desks[9] = {};
    const QImage image = render(plan, orientation);

    const auto greyShare = [&](int desk) {
        const QRectF rect = deskRect(desk, orientation);
        return qreal(countPixels(image, rect, 4, isGrey)) / (rect.width() * rect.height());
    };
    // Grey over much of the desk, where a free desk is white and a seated
    // one black on white.
    QVERIFY(greyShare(5) > 0.3);
    QVERIFY(greyShare(22) > 0.3);
    QCOMPARE(greyShare(9), 0.0);
    QVERIFY(greyShare(0) < 0.1);
    QCOMPARE(render(plan, orientation), image); // painting is repeatable
}

void PrintTest::titleIsDrawnOnTop()
{
    SeatingPlan plan;
    const QImage untitled = render(plan, Orientation::PupilsView);
    plan.title = QStringLiteral("3B");
    const QImage titled = render(plan, Orientation::PupilsView);
    const QRect changed = differenceBounds(untitled, titled);
    const QRectF titleRect =
        PlanLayout(QRectF(QPoint(0, 0), PageSize), Orientation::PupilsView).titleRect();
    QVERIFY(!changed.isEmpty());
    QVERIFY(titleRect.contains(changed));
    QVERIFY(changed.height() > titleRect.height() / 3);
}

void PrintTest::printsOneLandscapeA4PdfPage()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("pianta.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    PlanPreviewDialog::preparePrinter(printer);
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);

    SeatingPlan plan;
    plan.title = QStringLiteral("3B");
    plan.desks[0].pupil = QStringLiteral("Rossi Marco");
    plan.desks[3].unused = true;
    PlanPreviewDialog::print(printer, plan, Orientation::TeacherView);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.size() > 2000);
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b(?!s)"));
    QCOMPARE(QString::fromLatin1(pdf).count(page), 1);
}

void PrintTest::windowPrintsWhatTheScreenShows()
{
    QTemporaryDir dir;
    Form2 window(dir.filePath(QStringLiteral("Posti.bq")));
    window.startUp();
    {
        UpdateGuard updating(window);
        window.setNameText(0, QStringLiteral("Rossi"));
        window.setNameText(1, QStringLiteral("Bianchi"));
        for (int desk = 0; desk < SeatingView::Desks; ++desk) {
            window.clearDesk(desk);
            for (const QString &item : {QString(), SeatList::markerText(), QStringLiteral("Rossi"),
                                        QStringLiteral("Bianchi")})
                window.appendDeskItem(desk, item);
            window.setDeskSelection(desk, SeatList::Blank);
        }
        window.setDeskSelection(4, 2);
        window.setDeskSelection(17, 3);
        window.setDeskSelection(9, SeatList::Marker);
    }
    SeatingPlan plan = window.planOnScreen();
    QCOMPARE(plan.title, QStringLiteral("Classe 1"));
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const SeatingPlan::Desk &shown = plan.desks[size_t(desk)];
        QCOMPARE(shown.pupil, desk == 4    ? QStringLiteral("Rossi")
                              : desk == 17 ? QStringLiteral("Bianchi")
                                           : QString());
        QCOMPARE(shown.unused, desk == 9);
    }
    // Names typed but not stored still count: the screen is what is printed.
    window.setNameText(SeatingView::ClassNameBox, QStringLiteral("3B"));
    QCOMPARE(window.planOnScreen().title, QStringLiteral("3B"));
}

void PrintTest::ctrlPOpensThePreview()
{
    QTemporaryDir dir;
    Form2 window(dir.filePath(QStringLiteral("Posti.bq")));
    window.startUp();
    window.setNameText(SeatingView::ClassNameBox, QStringLiteral("3B"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    bool seen = false;
    QString title;
    QStringList views;
    QPageLayout pageLayout;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *preview = qobject_cast<PlanPreviewDialog *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        poll.stop();
        seen = true;
        title = preview->windowTitle();
        pageLayout = preview->printer()->pageLayout();
        if (auto *box = preview->findChild<QComboBox *>(QStringLiteral("orientationBox"))) {
            for (int i = 0; i < box->count(); ++i)
                views << box->itemText(i);
        }
        preview->reject();
    });
    poll.start();
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    QTRY_VERIFY(seen);
    QVERIFY(title.contains(QStringLiteral("3B")));
    QCOMPARE(pageLayout.orientation(), QPageLayout::Landscape);
    QCOMPARE(pageLayout.pageSize().id(), QPageSize::A4);
    QCOMPARE(views.size(), 2);
}

void PrintTest::roomContextMenuOffersPrinting()
{
    QTemporaryDir dir;
    Form2 window(dir.filePath(QStringLiteral("Posti.bq")));
    window.startUp();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QStringList entries;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        for (QAction *action : menu->actions()) {
            entries << action->text();
            QCOMPARE(action->shortcut(), QKeySequence(QKeySequence::Print));
        }
        menu->close();
    });
    poll.start();

    // A right click on the empty room: the tab strip's page, left of the desks.
    auto *tabStrip = window.findChild<QTabWidget *>(QStringLiteral("TabStrip1"));
    QVERIFY(tabStrip);
    QWidget *room = tabStrip->currentWidget();
    const QPoint where(10, 10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, where, room->mapToGlobal(where));
    QApplication::sendEvent(room, &event);
    QTRY_COMPARE(entries, QStringList{QStringLiteral("Stampa…")});
}

void PrintTest::switchingTheViewRedrawsThePreview()
{
    SeatingPlan plan;
    plan.title = QStringLiteral("3B");
    PlanPreviewDialog preview(plan);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(preview.orientation(), Orientation::PupilsView);

    int paints = 0;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&] { ++paints; });
    preview.setOrientation(Orientation::TeacherView);
    QCOMPARE(preview.orientation(), Orientation::TeacherView);
    QCOMPARE(paints, 1);
    preview.setOrientation(Orientation::PupilsView);
    QCOMPARE(paints, 2);
}

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
