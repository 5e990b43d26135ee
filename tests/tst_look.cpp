// SPDX-License-Identifier: GPL-3.0-or-later
// What the window shows where text is wider than its place, and the room's front: names
// shortened on the desks and whole in tooltips, the marker in a form that fits, a name
// box's start after the focus leaves, the teacher's desk and the desk numbers, and
// captions drawn smaller where the fonts are wider than the layout's.

#include "deskselector.h"
#include "fittingbutton.h"
#include "realkeys.h"
#include "realmouse.h"
#include "roomfront.h"
#include "shortname.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QProxyStyle>
#include <QTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {

const QString Marker = u"-> Non assegnare <-"_s;
const QString Zanetti = u"Zanetti Emanuele Maria"_s;

// Class 1: Zanetti on desk 0, "DELL'ACQUA SAMUELE" on desk 1, "Rossi Anna" on desk 2, desk 3
// marked.
QByteArray longNamesFile()
{
    QByteArray file = Zanetti.toLatin1() + ",2\r\nDELL'ACQUA SAMUELE,3\r\nRossi Anna,4\r\n ,1\r\n";
    return file + QByteArray(" ,0\r\n").repeated(306);
}

// Keeps what the style was asked to draw as a caption, and in which font.
class CaptionRecorder : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette,
                      bool enabled, const QString &text, QPalette::ColorRole role) const override
    {
        caption = text;
        fits = QFontMetrics(painter->font()).horizontalAdvance(text) <= rect.width();
        font = painter->font();
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, role);
    }
    mutable QString caption;
    mutable bool fits = false;
    mutable QFont font;
};

bool hasInk(const QImage &image, const QRect &rect, const std::function<bool(QRgb)> &ink)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (ink(image.pixel(x, y)))
                return true;
        }
    }
    return false;
}

} // namespace

class LookTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWindow> m_window;

    template <typename T = QWidget> T *control(const QString &name) const
    {
        return m_window->get()->findChild<T *>(name);
    }
    DeskSelector *desk(int i) const { return control<DeskSelector>(u"Combo1(%1)"_s.arg(i)); }
    QLineEdit *box(int i) const { return control<QLineEdit>(u"Text1(%1)"_s.arg(i)); }
    static QString tip() { return QToolTip::isVisible() ? QToolTip::text() : QString(); }

private slots:
    void init()
    {
        m_window = std::make_unique<TestWindow>();
        QVERIFY(m_window->open(longNamesFile()));
    }
    void cleanup()
    {
        QToolTip::hideText();
        m_window.reset();
    }

    // room: the widest text that fits; others: the names it must not be mistaken for.
    void shortening_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("others");
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char *tag, const QString &name, const QStringList &others,
                            const QString &room, const QString &shown) {
            QTest::newRow(tag) << name << others << room << shown;
        };
        row("fits whole", u"Rossi Anna"_s, {}, u"Rossi Anna"_s, u"Rossi Anna"_s);
        row("given names cut from the end", Zanetti, {}, u"Zanetti Emanuele M…"_s,
            u"Zanetti Emanuele M…"_s);
        row("no space before the ellipsis", Zanetti, {}, u"Zanetti Emanuele …"_s,
            u"Zanetti Emanuele…"_s);
        row("register capitals", u"DELL'ACQUA SAMUELE"_s, {}, u"DELL'ACQUA S…"_s,
            u"DELL'ACQUA S…"_s);
        row("a later given name tells them apart", u"Rossi Maria Luisa"_s,
            {u"Rossi Maria Teresa"_s, u""_s, Marker}, u"Rossi …Luisa"_s, u"Rossi …Luisa"_s);
        row("the telling name cut too", u"Bianchi Giovanni Massimiliano"_s,
            {u"Bianchi Giovanni Battista"_s}, u"Bianchi …Massim…"_s, u"Bianchi …Massim…"_s);
        row("surname with its particle", u"De Luca Anna Maria"_s, {u"De Luca Anna Rita"_s},
            u"De Luca …Maria"_s, u"De Luca …Maria"_s);
        row("the same name twice", u"Rossi Maria Luisa"_s, {u"Rossi Maria Luisa"_s},
            u"Rossi Maria…"_s, u"Rossi Maria…"_s);
        row("surname too long for the desk", u"Giovannangeli Francesca"_s, {}, u"Giovann…"_s,
            u"Giovann…"_s);
        // Room for the mark half a letter shows as, not for the letter.
        row("never half a letter", u"Rossi Anna 𝔐aria"_s, {}, u"Rossi Anna \uFFFD…"_s,
            u"Rossi Anna…"_s);
        row("marker whole", Marker, {}, Marker, Marker);
        row("marker with arrows", Marker, {}, u"→ Non assegnare ←"_s, u"→ Non assegnare ←"_s);
        row("marker in words", Marker, {}, u"Non assegnare"_s, u"Non assegnare"_s);
        row("marker at its shortest", Marker, {}, u"Non usare"_s, u"Non usare"_s);
    }

    void shortening()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, others);
        QFETCH(QString, room);
        QFETCH(QString, shown);
        const QFontMetrics metrics(QFont(u"DejaVu Sans"_s, 9));
        const auto names = [&] {
            return others << name;
        };
        QCOMPARE(ShortName::fitted(name, names, metrics, metrics.horizontalAdvance(room)), shown);
    }

    // A long name and the marker show shortened, painted as a desk showing just that would
    // be; the seating logic still reads them whole, and the tooltip tells the name whole.
    void desksShowNamesShortenedAndWholeInTooltip()
    {
        DeskSelector *zanetti = desk(0);
        const QString shown = zanetti->shownText();
        QVERIFY2(shown.startsWith(u"Zanetti "_s) && shown.endsWith(u"…"_s), qPrintable(shown));
        QCOMPARE(zanetti->itemText(2), Zanetti);
        QVERIFY(desk(1)->shownText().startsWith(u"DELL'ACQUA"_s));
        QCOMPARE(desk(2)->shownText(), u"Rossi Anna"_s);
        QVERIFY2(QStringList({Marker, u"→ Non assegnare ←"_s, u"Non assegnare"_s, u"Non usare"_s})
                     .contains(desk(3)->shownText()),
                 qPrintable(desk(3)->shownText()));
        QCOMPARE(desk(3)->itemText(1), Marker);
        for (DeskSelector *shortened : {zanetti, desk(3)}) {
            DeskSelector reference(m_window->get());
            reference.setGeometry(shortened->geometry());
            reference.addItem(shortened->shownText());
            QCOMPARE(reference.shownText(), shortened->shownText());
            QCOMPARE(reference.grab().toImage(), shortened->grab().toImage());
        }
        QCOMPARE(RealMouse::shownToolTip(desk(2)), QString());
        QVERIFY(RealMouse::hover(zanetti));
        QTRY_COMPARE(tip(), Zanetti);
    }

    // A name stored later that reads the same as a desk's shortened one changes how the
    // desk shows it.
    void deskTellsApartANameTypedLater()
    {
        QVERIFY2(desk(0)->shownText().startsWith(u"Zanetti Ema"_s),
                 qPrintable(desk(0)->shownText()));
        QLineEdit *edit = box(4);
        edit->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClicks(edit, u"Zanetti Emanuele Luca"_s);
        m_window->click(u"cmdSalva"_s);
        QTRY_VERIFY2(desk(0)->shownText().startsWith(u"Zanetti …M"_s),
                     qPrintable(desk(0)->shownText()));
        QCOMPARE(RealMouse::shownToolTip(desk(0)), Zanetti);
    }

    // Typed past its width, a box shows the name's end; leaving it shows the start.
    void nameBoxShowsItsStartOnceLeft_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("name");
        QTest::newRow("pupil") << 4 << u"Lombardi Niccolo Alessandro"_s;
        QTest::newRow("class name") << 30 << u"3B liceo scientifico"_s;
    }

    void nameBoxShowsItsStartOnceLeft()
    {
        QFETCH(int, box);
        QFETCH(QString, name);
        QLineEdit *edit = this->box(box);
        edit->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClicks(edit, name);
        QCOMPARE(edit->cursorPosition(), name.size());
        QVERIFY(RealKeys::press(edit, QKeySequence(Qt::Key_Tab)));
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(edit->cursorPosition(), 0);
        QVERIFY(RealMouse::hover(edit));
        QTRY_COMPARE(tip(), name);
        edit->setText(u"3A"_s);
        QCOMPARE(RealMouse::shownToolTip(edit), QString());
    }

    // The teacher's desk above the rows, in the middle as on the print; each desk's number
    // just above it; none of it under a control or catching a click.
    void roomShowsItsFrontAndDeskNumbers()
    {
        auto *front = control<RoomFront>(u"RoomFront"_s);
        QVERIFY(front);
        const QImage image = m_window->get()->grab().toImage();
        const auto ink = [](QRgb pixel) {
            return qGray(pixel) < 128;
        };
        QList<QRect> controls;
        QTabBar *tabBar = control<QTabWidget>(u"TabStrip1"_s)->tabBar();
        for (QWidget *widget : m_window->get()->findChildren<QWidget *>()) {
            if (qobject_cast<QComboBox *>(widget) || qobject_cast<QPushButton *>(widget) ||
                qobject_cast<QGroupBox *>(widget) || widget == tabBar)
                controls << QRect(widget->mapTo(m_window->get(), QPoint()), widget->size());
        }
        const QRect teacher = front->teacherDeskRect().toAlignedRect();
        const QRect room = desk(0)->geometry() | desk(21)->geometry();
        QVERIFY(qAbs(teacher.center().x() - room.center().x()) <= 1);
        QVERIFY(teacher.width() > desk(0)->width() && teacher.bottom() < room.top());
        QVERIFY(hasInk(image, teacher, ink));
        // In the large buttons' font, whole inside the desk.
        const QFont caption = control<QPushButton>(u"cmdClear"_s)->font();
        const QRect word = QFontMetrics(caption).boundingRect(u"Cattedra"_s);
        QVERIFY2(word.width() < teacher.width() && word.height() < teacher.height(),
                 qPrintable(u"%1x%2 in %3x%4"_s.arg(word.width())
                                .arg(word.height())
                                .arg(teacher.width())
                                .arg(teacher.height())));
        QVERIFY(QApplication::widgetAt(m_window->get()->mapToGlobal(teacher.center())) != front);
        for (int d = 0; d < 30; ++d) {
            const QRect number = front->numberRect(d).toAlignedRect();
            QVERIFY(number.bottom() < desk(d)->y() && number.left() >= desk(d)->x());
            QVERIFY2(hasInk(image, number, ink), qPrintable(QString::number(d + 1)));
            // Small, in the window's font: nothing of it rises above its place.
            const QRect above(number.left(), number.top() - 3, number.width(), 3);
            QVERIFY2(!hasInk(image, above, ink), qPrintable(QString::number(d + 1)));
            for (const QRect &rect : controls + QList<QRect>{teacher})
                QVERIFY(!rect.intersects(number));
        }
        for (const QRect &rect : std::as_const(controls))
            QVERIFY(!rect.intersects(teacher));
    }

    // Where the fonts are wider than the layout's, a caption is drawn whole, smaller; the
    // button keeps its place, size and font. Where it fits, it keeps its size.
    void captionsFitTheirButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("wide"); // DejaVu Sans, spaced wider than any real face
        QTest::newRow("Assegna mancanti, wide") << u"CmdRandom"_s << true;
        QTest::newRow("Memorizza, wide") << u"cmdSalva"_s << true;
        QTest::newRow("Cancella nomi, wide") << u"cmdCancNomi"_s << true;
        QTest::newRow("Assegna mancanti, as laid out") << u"CmdRandom"_s << false;
    }

    void captionsFitTheirButtons()
    {
        QFETCH(QString, button);
        QFETCH(bool, wide);
        auto *push = control<QPushButton>(button);
        const QRect geometry = push->geometry();
        QFont font = push->font();
        if (wide) {
            font.setFamily(u"DejaVu Sans"_s);
            font.setLetterSpacing(QFont::PercentageSpacing, 150);
            push->setFont(font);
        }
        auto *recorder = new CaptionRecorder(QStyleFactory::create(u"Fusion"_s));
        recorder->setParent(push);
        push->setStyle(recorder);
        push->grab();
        QCOMPARE(recorder->caption, push->text());
        QVERIFY(recorder->fits);
        QCOMPARE(push->geometry(), geometry);
        QCOMPARE(push->font(), font);
        QCOMPARE(recorder->font.pointSizeF() < font.pointSizeF(), wide);
    }
};

POSTI_TEST_MAIN(LookTest)
#include "tst_look.moc"
