// SPDX-License-Identifier: GPL-3.0-or-later
// The session through the fake view, without a window: the question before a
// class with changes not stored is left, by a tab change or by closing, the
// mark of such changes, a read-only second copy, and the undo history of each
// class, on screen, in the class table and in the file.

#include "fakeview.h"
#include "keptfiles.h"
#include "seatingfilebuilder.h"
#include "seatingsession.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Step = SeatingSession::Step;
using Answer = SeatingView::Answer;
using namespace Qt::StringLiterals;

namespace {

// Class 1 "3A": Anna on desk 1, Bruno not seated; class 2: Zeno.
const Rows TwoPupils{{0, "Anna,2"}, {1, "Bruno,0"}, {30, "3A,0"}, {31, "Zeno,0"}};

Rows changed(Rows rows, const Rows &changes)
{
    rows.insert(changes);
    return rows;
}

// Class 1 "3A" with pupils "Alunno 0"... at the given desks; class 2 "3B"
// with pupils "Bruno 0"..., all seated.
QByteArray twoClasses(const QList<int> &desks)
{
    return seatingFile(
        withClass(withClass({}, 1, "3A", "Alunno", desks), 2, "3B", "Bruno", seats()));
}

} // namespace

class SessionTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("Posti.bq"));
    std::unique_ptr<FakeSeatingView> m_view;
    std::unique_ptr<SeatingSession> m_session;

    // Starts a session on the file (none: the file left), with these answers
    // to its questions.
    void start(const QByteArray &file, const QStringList &replies = {})
    {
        m_session.reset();
        if (!file.isEmpty())
            QVERIFY(KeptFiles::writeAll(m_path, file));
        m_view = std::make_unique<FakeSeatingView>();
        m_view->replies = replies;
        m_session = std::make_unique<SeatingSession>(m_path, *m_view);
        m_view->rules = &m_session->rules();
        m_session->startUp();
    }
    // Typing in a name box, as the window reports it.
    void type(int box, const QString &text)
    {
        m_view->names[box] = text;
        m_session->nameEdited(box, text);
        m_session->screenChanged();
    }
    // A pick from the desk's open list.
    void pick(int desk, int position)
    {
        m_view->selection[desk] = position;
        m_session->screenChanged();
        m_session->deskPicked(desk);
    }
    // Names, then each desk's list and selection, then the stored block of the class shown.
    QStringList screen() const
    {
        QStringList lines = m_view->names;
        for (int d = 0; d < SeatingView::Desks; ++d)
            lines << m_view->items[d].join('|') + " @" + QString::number(m_view->selection[d]);
        for (int slot = 0; slot < Archivio::SlotsPerClass; ++slot) {
            const int row = Archivio::row(m_view->tab, slot);
            lines << m_session->archivio().cell(row, 0) + ',' + m_session->archivio().cell(row, 1);
        }
        return lines;
    }
    QByteArray closeAndRead()
    {
        const bool closed = m_session->requestClose();
        m_session.reset();
        return closed ? KeptFiles::readAll(m_path) : QByteArray("refused");
    }

private slots:
    void initTestCase() { KeptFiles::useDataFolderIn(m_dir.path()); }
    void cleanup()
    {
        if (m_session) {
            m_view->replies = QStringList{"No"};
            m_session->requestClose();
        }
        m_session.reset();
    }

    // The changes made to class 1, then how it is left ("tab" or "close") and
    // the answer, if any, all split by '/'.
    void leavingAsksFirst_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QByteArray>("file"); // written at close
        QTest::addColumn<QString>("asked");   // the class named by the question; empty: none

        const QByteArray stored = seatingFile(TwoPupils);
        const QByteArray seated = seatingFile(changed(TwoPupils, {{5, " ,3"}}));
        QTest::newRow("tab, nothing changed") << "tab" << stored << "";
        QTest::newRow("tab, name, Sì")
            << "name/tab/Sì" << seatingFile(changed(TwoPupils, {{1, "Bruna,0"}})) << "3A";
        QTest::newRow("tab, name, No") << "name/tab/No" << stored << "3A";
        QTest::newRow("tab, desk, Sì") << "desk/tab/Sì" << seated << "3A";
        QTest::newRow("tab, typed back") << "typed back/tab" << stored << "";
        QTest::newRow("close, nothing changed") << "close" << stored << "";
        QTest::newRow("close, class name, Sì")
            << "class name/close/Sì" << seatingFile(changed(TwoPupils, {{30, "3B,0"}})) << "3B";
        QTest::newRow("close, class name blanked, No")
            << "no class name/close/No" << stored << "Classe 1";
        QTest::newRow("close, desk, No") << "desk/close/No" << stored << "3A";
        QTest::newRow("name undone") << "name/undo/close" << stored << "";
        QTest::newRow("desk, stored") << "desk/store/close" << seated << "";
        QTest::newRow("Svuota") << "clear/close/No" << stored << "3A"; // Anna's desk is blank now
        QTest::newRow("Cancella nomi") << "delete/close/No" << stored << "Classe 1";
        QTest::newRow("Cancella nomi, stored")
            << "delete/store/close"
            << seatingFile(changed(TwoPupils, {{0, " ,0"}, {1, " ,0"}, {30, " ,0"}})) << "";
    }

    // The mark of unstored changes follows every change; after a tab change
    // class 2 is shown, unmarked, whatever the answer. Annulla, the default
    // and Escape's, is the window's test.
    void leavingAsksFirst()
    {
        QFETCH(QString, steps);
        QFETCH(QByteArray, file);
        QFETCH(QString, asked);
        QStringList changes = steps.split('/');
        const QString answer = changes.last().size() == 2 ? changes.takeLast() : QString();
        const QString leave = changes.takeLast();
        QStringList replies;
        if (changes.contains("delete"))
            replies << u"Sì"_s;
        replies << (answer.isEmpty() ? u"No"_s : answer);
        start(seatingFile(TwoPupils), replies);
        QSignalSpy marks(m_session.get(), &SeatingSession::unstoredChanged);
        for (const QString &change : changes) {
            if (change == "name" || change == "typed back")
                type(1, "Bruna");
            if (change == "typed back")
                type(1, "Bruno");
            if (change == "class name" || change == "no class name")
                type(30, change == "class name" ? "3B" : "");
            if (change == "desk")
                pick(5, 3); // Bruno
            if (change == "undo")
                m_session->undo();
            if (change == "store" || change == "clear" || change == "delete")
                m_session->take(change == "store"   ? Step::Store
                                : change == "clear" ? Step::Clear
                                                    : Step::DeleteNames);
        }
        const bool unstored = !asked.isEmpty();
        QCOMPARE(marks.isEmpty() ? false : marks.last().first().toBool(), unstored);
        m_view->log.clear();

        if (leave == "tab") {
            QVERIFY(m_session->requestTabChange(2));
            QCOMPARE(m_view->tab, 2);
            QCOMPARE(m_view->names[0], QString("Zeno"));
            QCOMPARE(marks.last().first().toBool(), false);
        }
        QCOMPARE(closeAndRead(), file);
        const QString question = "Attenzione!|La classe «" + asked +
                                 "» ha modifiche non memorizzate. Memorizzarle?|[Sì]/No/Annulla "
                                 "Esc=Annulla";
        QCOMPARE(m_view->log, QStringList(unstored ? 1 : 0, question));
    }

    // Class 1 "3A", 30 pupils none seated: what is done, then the step
    // ("fill", "free" or a pick that swaps), then the answer if not Escape.
    void storeNamesFirst_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("history"); // last first
        const QString fill = "«Assegna mancanti»|", store = "«Memorizza»|";
        const QString typed = "modifica del nome dell'alunno 1";
        QTest::newRow("names stored")
            << "class name/fill" << false << fill + "modifica del nome della classe";
        QTest::newRow("name typed, Sì") << "type/fill/Sì" << true << fill + store + typed;
        QTest::newRow("name typed, Escape") << "type/fill" << true << typed;
        QTest::newRow("Cancella nomi, Sì") << "delete/fill/Sì" << true << store + "«Cancella nomi»";
        QTest::newRow("name blanked, Segna…, Sì")
            << "blank/free/Sì" << true << "«Segna i banchi da lasciare liberi»|" + store + typed;
        QTest::newRow("swap, name typed")
            << "fill/type/pick" << false
            << "scambio tra i banchi 5 e 18|" + typed + "|«Assegna mancanti»";
    }
    void storeNamesFirst()
    {
        QFETCH(QString, steps);
        QFETCH(bool, asked);
        QFETCH(QString, history);
        start(twoClasses(seats({}, false)), QStringList(steps.endsWith(u"Sì"_s) ? 2 : 0, u"Sì"_s));
        const QMap<QString, Step> takes{
            {"fill", Step::Fill}, {"free", Step::LeaveFree}, {"delete", Step::DeleteNames}};
        const QMap<QString, QPair<int, QString>> typed{
            {"type", {0, "Nuovo"}}, {"blank", {0, ""}}, {"class name", {30, "3B"}}};
        for (const QString &step : steps.split('/')) {
            if (takes.contains(step))
                m_session->take(takes[step]);
            if (typed.contains(step))
                type(typed[step].first, typed[step].second);
            if (step == "pick")
                pick(4, m_view->selection[17]);
        }
        QCOMPARE(m_view->log.contains("Attenzione!|I nomi sullo schermo non sono ancora "
                                      "memorizzati. Memorizzarli prima di assegnare i "
                                      "banchi?|[Sì]/Annulla Esc=Annulla"),
                 asked);
        QStringList done;
        for (; m_session->history().canUndo(); m_session->undo())
            done << m_session->history().undoText();
        QCOMPARE(done.join('|'), history);
    }

    // A second copy on the same file saves nothing, and says so once at its
    // start; its close offers no store that would go nowhere.
    void secondCopyOffersNoStore()
    {
        start(seatingFile(TwoPupils));
        FakeSeatingView view;
        SeatingSession second(m_path, view);
        view.rules = &second.rules();
        second.startUp();
        QCOMPARE(view.log.size(), 1);
        QVERIFY2(view.log.first().contains("sola lettura"), qPrintable(view.log.first()));
        view.names[2] = "Carla";
        QVERIFY(second.requestClose());
        QCOMPARE(view.log.size(), 1);
    }

    // Each step by its button, a desk's list, a pasted list or a No to the
    // question, which discards a name and a desk changed. The Svuota row starts with pupil 17 on
    // desks 17 and 29 and every desk taken: a seat-change reaction to the restored selections would
    // swap.
    void undoAndRedo_data()
    {
        QTest::addColumn<QList<int>>("desks");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("step");
        QTest::newRow("pick") << seats({{12, 0}}) << "pick"
                              << "scelta per il banco 5";
        QTest::newRow("swap") << seats() << "pick"
                              << "scambio tra i banchi 5 e 18";
        QTest::newRow("Assegna mancanti") << seats({}, false) << "fill"
                                          << "«Assegna mancanti»";
        QTest::newRow("Svuota") << seats({{29, 19}}) << "clear"
                                << "«Svuota»";
        QTest::newRow("Cancella nomi") << seats() << "delete"
                                       << "«Cancella nomi»";
        QTest::newRow("Memorizza") << seats({{12, 0}}) << "store"
                                   << "«Memorizza»";
        QTest::newRow("pasted list") << seats() << "paste"
                                     << "elenco di nomi incollato";
        QTest::newRow("No to the question") << seats() << "No"
                                            << "Ripristina le modifiche scartate";
    }

    // The step undone and redone puts back the screen and the stored class;
    // the undo's store reaches the journal too: after a run that ended
    // without closing, the next start asks nothing.
    void undoAndRedo()
    {
        QFETCH(QList<int>, desks);
        QFETCH(QString, action);
        QFETCH(QString, step);
        start(twoClasses(desks), {action == "No" ? "No" : u"Sì"_s});
        if (action == "store" || action == "No") { // a name, which the lists take, and a desk
            type(5, "x");
            pick(12, 14);
        }
        const QStringList before = screen();
        if (action == "pick") {
            pick(4, 19);
        } else if (action == "paste") {
            for (int box = 3; box < 6; ++box)
                m_view->names[box] = QStringList{"Uno", "Due", "Tre"}[box - 3];
            m_session->namesPasted();
        } else if (action == "No") { // and back
            QVERIFY(m_session->requestTabChange(2) && m_session->requestTabChange(1));
        } else {
            m_session->take(action == "fill"    ? Step::Fill
                            : action == "clear" ? Step::Clear
                            : action == "store" ? Step::Store
                                                : Step::DeleteNames);
        }
        const QStringList after = screen();
        QVERIFY(after != before);
        ClassHistory &history = m_session->history();
        QCOMPARE(history.undoEntry(), action == "No" ? step : "Annulla " + step);
        m_session->undo();
        QCOMPARE(screen(), before);
        QCOMPARE(history.canUndo(), action == "store"); // the No's half-steps are gone
        QCOMPARE(history.redoEntry(),
                 action == "No" ? "Scarta di nuovo le modifiche" : "Ripeti " + step);
        m_session->redo();
        QCOMPARE(screen(), after);
        m_session->undo();
        m_session.reset();
        start({});
        QCOMPARE(m_view->log, QStringList());
        QCOMPARE(closeAndRead(), twoClasses(desks));
    }

    // Class 1 is filled and stored, then class 2 cleared: an undo on class 2
    // takes back its own step only, and class 1 finds its steps on its return.
    void eachClassHasItsOwnHistory()
    {
        start(twoClasses(seats({}, false)));
        ClassHistory &history = m_session->history();
        const QStringList empty = screen();
        m_session->take(Step::Fill);
        m_session->take(Step::Store);
        const QStringList filled = screen();
        QVERIFY(m_session->requestTabChange(2));
        const QStringList class2 = screen();
        m_session->take(Step::Clear);
        QCOMPARE(history.undoText(), QString("«Svuota»"));
        m_session->undo();
        QCOMPARE(screen(), class2);
        QVERIFY(!history.canUndo());

        QVERIFY(m_session->requestTabChange(1));
        QCOMPARE(screen(), filled);
        QCOMPARE(history.undoText(), QString("«Memorizza»"));
        m_session->undo();
        QCOMPARE(history.undoText(), QString("«Assegna mancanti»"));
        m_session->undo();
        QCOMPARE(screen(), empty);
        QVERIFY(history.canRedo());
        QCOMPARE(closeAndRead(), twoClasses(seats({}, false)));
    }
};

QTEST_GUILESS_MAIN(SessionTest)
#include "tst_session.moc"
