// SPDX-License-Identifier: GPL-3.0-or-later
// The session through the fake view, without a window: the question before a
// class with changes not stored is left, by a tab change or by closing, the
// mark of such changes, a read-only copy for every reason, the undo history of each
// class, on screen, in the class table and in the file, and typing not stored
// kept aside through a crash, a signal or the desktop session's end.

#include "datafolder.h"
#include "fakeview.h"
#include "keptfiles.h"
#include "rulecheck.h"
#include "seatingfilebuilder.h"
#include "sessiondriver.h"
#include "testmain.h"

#include <QLockFile>
#include <QSignalSpy>
#include <QTest>

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

class SessionTest : public SessionDriver
{
    Q_OBJECT

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

    // Who holds the file's lock, or how little of it could be read, and the
    // answer at start. A read-only copy works in memory, says so at its first
    // store only, asks before its close loses anything (Escape: back to the
    // window), and writes nothing at all; a copy that writes keeps its store.
    void readOnlyCopy_data()
    {
        // Beside the file: a lock of another "computer" or of this one whose
        // process "ended"; or a "journal" of stores the file lacks.
        QTest::addColumn<QString>("before");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reply"); // to the start's question; none: Escape
        // The start's last box, <file> and <copy> spelt out; only its start where it ends in "…".
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("reason"); // why read-only; none: the copy writes
        const QByteArray file = seatingFile(TwoPupils), empty = QByteArray("\r\n").repeated(310);
        const QByteArray letter = QByteArray("Gentili genitori della classe 3B\r\n").repeated(40);
        const QString none;
        const QString laptop =
            "Attenzione!|Il file dei posti risulta aperto sul computer «laptop-casa» dal 3 "
            "dicembre 2024 alle 10:14.\nSe là il programma è ancora aperto, conviene aprire il "
            "file in sola lettura: qui non verrà salvato nulla. Se invece là è chiuso (il computer "
            "spento o la chiavetta tolta con il programma aperto), lo si può aprire "
            "comunque.|[Apri in sola lettura]/Apri comunque";
        const QString leave =
            "Attenzione!|Il programma non ha potuto leggere la maggior parte del file dei "
            "posti\n<file>\nSe lo riscrivesse alla chiusura, del file resterebbe solo il poco che "
            "ha letto.\nUna copia del file com'è si trova in\n<copy>\n\nLasciando il file com'è, "
            "la finestra si apre in sola lettura e nulla verrà salvato. Ricominciando con un file "
            "nuovo, le classi partono vuote e alla chiusura prendono il posto del file.|[Lascia "
            "il file com'è]/Ricomincia con un file nuovo";
        const QString left = "il file non si è potuto leggere in gran parte e resta com'è";
        QTest::newRow("another computer's lock")
            << "computer" << file << none << laptop
            << "il file risulta aperto sul computer «laptop-casa»";
        QTest::newRow("Apri comunque") << "computer" << file << "Apri comunque" << laptop << "";
        QTest::newRow("process ended") << "ended" << file << none << none << none;
        QTest::newRow("UTF-8 the code page lacks")
            << "" << QByteArray("\xD0\x98\xD0\xBC\xD1\x8F,1\r\n").repeated(310) << "" << leave
            << left;
        const QByteArray binary = KeptFiles::readAll(QCoreApplication::applicationFilePath());
        QTest::newRow("binary junk") << "" << binary.left(4096) << "" << leave << left;
        QTest::newRow("a letter") << "" << letter << "" << leave << left;
        QTest::newRow("empty lines") << "" << empty << "" << leave << left;
        QTest::newRow("fresh") << "" << letter << "Ricomincia con un file nuovo" << leave << "";
        QTest::newRow("journal") << "journal" << empty << "Sì"
                                 << "Attenzione!|L'ultima…" << none;
    }

    void readOnlyCopy()
    {
        QFETCH(QString, before);
        QFETCH(QByteArray, file);
        QFETCH(QString, reply);
        QFETCH(QString, told);
        QFETCH(QString, reason);
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        const QString lockPath = m_path + ".lock";
        if (before == "ended") { // this copy's lock, as if its process were gone
            QLockFile mine(lockPath);
            QVERIFY(mine.tryLock());
            const QByteArray own = KeptFiles::readAll(lockPath);
            mine.unlock();
            QVERIFY(KeptFiles::writeAll(lockPath, "2147483647" + own.mid(own.indexOf('\n'))));
        } else if (before == "computer") {
            QVERIFY(KeptFiles::writeAll(lockPath, "12345\nposti\nlaptop-casa\n\n\n") &&
                    KeptFiles::setModified(lockPath, QDateTime(QDate(2024, 12, 3), QTime(10, 14))));
        } else if (before == "journal") {
            const QDir data(KeptFiles::dataFolder());
            QVERIFY(data.mkpath(".") &&
                    KeptFiles::writeAll(
                        data.filePath("Posti-diario-" + DataFolder::keyFor(m_path) + ".bq"),
                        seatingFile(TwoPupils)));
        }
        const QByteArray lockBytes = KeptFiles::readAll(lockPath);
        start(file, {reply});
        told.replace("<file>", QDir::toNativeSeparators(m_path))
            .replace("<copy>", QDir::toNativeSeparators(m_path + ".bak"));
        const QString last = m_view->log.value(m_view->log.size() - 1);
        QCOMPARE(told.endsWith("…") ? last.left(told.size() - 1) + "…" : last, told);
        QCOMPARE(m_session->readOnlyReason(), reason);
        const bool unread = before.isEmpty() || before == "journal";
        QCOMPARE(KeptFiles::readAll(m_path + ".bak"), unread ? file : "");
        m_view->log.clear();
        type(2, "Carla");
        m_session->keepUnstoredNow(); // a read-only copy keeps nothing aside either
        QCOMPARE(KeptFiles::dataFile(KeptFiles::UnstoredName).isEmpty(), !reason.isEmpty());
        m_session->take(Step::Store);
        m_session->take(Step::Store);
        QCOMPARE(m_session->archivio().cell(2, Archivio::NameColumn), QString("Carla"));
        const QString stored = "Attenzione!|Questa copia è in sola lettura: le classi memorizzate "
                               "restano solo finché la finestra è aperta, e si possono stampare. "
                               "Alla chiusura andranno perse; il file dei posti non cambia.|[OK]";
        QCOMPARE(m_view->log, reason.isEmpty() ? QStringList() : QStringList{stored});
        if (!reason.isEmpty()) {
            QVERIFY(!m_session->requestClose());
            m_view->reply = "Chiudi senza salvare";
        }
        const Rows carla{{2, "Carla,0"}};
        QCOMPARE(closeAndRead(), !reason.isEmpty() ? file
                                 : reply.startsWith("Ricomincia")
                                     ? seatingFile(carla)
                                     : seatingFile(changed(TwoPupils, carla)));
        const QString closing = "Attenzione!|Questa copia è in sola lettura: le modifiche andranno "
                                "perse.|[Annulla]/Chiudi senza salvare";
        QCOMPARE(m_view->log.mid(1), reason.isEmpty() ? QStringList() : QStringList(2, closing));
        QCOMPARE(KeptFiles::dataFile(KeptFiles::JournalName), QString());
        // Another copy's lock is left alone, or taken over.
        QCOMPARE(KeptFiles::readAll(lockPath) == lockBytes, !reason.isEmpty() || unread);
    }

    // Ada is stored, then Bruna typed and Bruno picked for desk 6, unstored,
    // and the run ends: "kept" (a crash after they were kept aside), "signal",
    // "logout" (which goes on, then a crash), "closed", "tab" (answered No,
    // then a crash). The next start's questions and messages, answered by
    // replies; the journal's question is shown as "journal", without the
    // notice of the file's copy its Sì brings.
    void unstoredKeptAside_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<QStringList>("log");
        const QString offer = "Attenzione!|Quando il programma si è interrotto, la classe «3A» "
                              "aveva modifiche non memorizzate, conservate a parte.\n\n"
                              "Rimetterle sullo schermo? Resteranno da memorizzare.|[Sì]/No Esc=No";
        const QString aside = "Attenzione!|Le modifiche non memorizzate rimaste dall'ultima "
                              "interruzione %1, e non vengono riproposte. Sono state conservate "
                              "in:\n%2|[OK]";
        const QString stale =
            QString(aside).replace("%1", "non corrispondono più alle classi memorizzate");
        QTest::newRow("kept, Sì") << "kept" << QStringList{"Sì", "Sì"}
                                  << QStringList{"journal", offer};
        QTest::newRow("kept, Escape")
            << "kept" << QStringList{"Sì"} << QStringList{"journal", offer};
        QTest::newRow("journal declined")
            << "kept" << QStringList{"No"} << QStringList{"journal", stale};
        QTest::newRow("garbled") << "garbled" << QStringList{"Sì"}
                                 << QStringList{"journal", QString(aside).replace(
                                                               "%1", "non si possono leggere")};
        QTest::newRow("signal") << "signal" << QStringList{"Sì"} << QStringList{offer};
        QTest::newRow("signal, class 2 changed")
            << "class 2" << QStringList{"Sì"} << QStringList{offer};
        QTest::newRow("logout") << "logout" << QStringList{"Sì"} << QStringList{offer};
        QTest::newRow("closed") << "closed" << QStringList{} << QStringList{};
        QTest::newRow("tab, No") << "tab" << QStringList{"Sì"} << QStringList{"journal"};
    }

    void unstoredKeptAside()
    {
        QFETCH(QString, end);
        QFETCH(QStringList, replies);
        QFETCH(QStringList, log);
        using namespace KeptFiles;
        QDir(dataFolder()).removeRecursively();
        start(seatingFile(TwoPupils), {u"No"_s});
        type(0, "Ada");
        m_session->take(Step::Store);
        type(1, "Bruna");
        pick(5, 3);
        m_session->keepUnstoredNow();
        if (end == "signal" || end == "class 2") {
            m_session->endNow();
            QVERIFY(m_session->requestClose());
        }
        if (end == "logout")
            m_session->keepForSessionEnd();
        if (end == "closed")
            m_session->requestClose();
        if (end == "tab")
            m_session->requestTabChange(2);
        QCOMPARE(m_view->log.size(), end == "closed" || end == "tab" ? 1 : 0); // no more questions
        const bool written = end != "kept" && end != "garbled" && end != "tab";
        const Rows ada = changed(TwoPupils, {{0, "Ada,2"}});
        QCOMPARE(readAll(m_path), seatingFile(written ? ada : TwoPupils));
        if (end == "class 2")
            QVERIFY(writeAll(m_path, seatingFile(changed(ada, {{31, "Zoe,0"}}))));
        if (end == "garbled")
            QVERIFY(writeAll(dataFile(UnstoredName), "{\"version\":1,\"classes\":[{\"tab\":1,"));
        m_session.reset();

        start({}, replies);
        m_view->log.removeIf([](const QString &line) { return line.contains("copiato in"); });
        for (QString &line : m_view->log) {
            if (line.contains("L'ultima volta il programma"))
                line = "journal";
        }
        for (QString &line : log)
            line.replace("%2", QDir::toNativeSeparators(dataFile(UnstoredAside)));
        QCOMPARE(m_view->log, log);
        const bool restored =
            replies.size() == log.size() && log.value(log.size() - 1).contains("Rimetterle");
        QCOMPARE(m_view->names[1], restored ? "Bruna" : "Bruno");
        QCOMPARE(m_view->selection[5], restored ? 3 : 0);
        QCOMPARE(m_session->hasUnstoredChanges(), restored);
        QCOMPARE(dataFile(UnstoredName).isEmpty(), !restored);
        m_view->reply = u"No"_s;
        m_session->requestClose();
        QCOMPARE(dataFile(UnstoredName), QString());
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

    // A pupil is their slot: a rename keeps the rules and says so, a slot
    // blanked takes its rules away, "Cancella nomi" makes new pupils whose
    // store takes every old rule away; an undo brings the rules back.
    void rulesFollowThePupils_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("rulesLeft");
        QTest::newRow("rename") << "rename"
                                << "La regola «Separati» ora riguarda «Bianchi Luca» (prima "
                                   "«Alunno 0»)."
                                << 2;
        QTest::newRow("blanked") << "blank"
                                 << "La regola «Davanti» di «Alunno 1» è stata tolta: il nome "
                                    "non c'è più."
                                 << 1;
        QTest::newRow("Cancella nomi") << "delete"
                                       << "L'elenco degli alunni è stato sostituito: le 2 "
                                          "regole degli alunni di prima sono state tolte."
                                       << 0;
    }

    void rulesFollowThePupils()
    {
        QFETCH(QString, action);
        QFETCH(QString, told);
        QFETCH(int, rulesLeft);
        QVERIFY(KeptFiles::writeAll(m_dir.filePath(u"Posti-regole.txt"_s),
                                    "Posti-regole versione 1\n1\tseparati\t1\tAlunno 0\t3\tAlunno "
                                    "2\n1\tdavanti\t2\tAlunno 1\t2\n"));
        start(twoClasses(seats()), {u"Sì"_s});
        const ClassRules before = m_session->classRules();
        QCOMPARE(before.size(), 2);
        if (action == "delete") {
            m_session->take(Step::DeleteNames);
            QCOMPARE(m_session->classRules(), before); // not until the store
        }
        type(action == "blank" ? 1 : 0, action == "blank" ? u""_s : u"Bianchi Luca"_s);
        m_session->take(Step::Store);
        const int asked = int(action == "delete"); // whether to delete the names
        QCOMPARE(m_view->log.size(), asked + 1);
        QCOMPARE(m_view->log.last(), u"Attenzione!|"_s + told + u"|[OK]"_s);
        QCOMPARE(m_session->classRules().size(), rulesLeft);
        if (action == "rename")
            QCOMPARE(m_session->classRules().first().name, u"Bianchi Luca"_s);
        m_session->undo();
        if (action == "delete")
            m_session->undo();
        QCOMPARE(m_session->classRules(), before);
        QCOMPARE(m_view->log.size(), asked + 1); // the undo's store tells nothing
        m_session->redo();
        QCOMPARE(m_session->classRules().size(), action == "delete" ? 2 : rulesLeft);
    }

    // With rules the fill seats everyone so that they hold, keeping the
    // pupils seated and the marked desks; when no plan exists nobody is
    // seated and the teacher is told why.
    void fillKeepsTheRules_data()
    {
        QTest::addColumn<QByteArray>("rules");
        QTest::addColumn<QList<int>>("desks");
        QTest::addColumn<QString>("told"); // empty: a plan
        QTest::newRow("apart, one seated by hand")
            << QByteArray("1\tseparati\t1\tA\t2\tB\n") << seats({{0, 2}}, false) << QString();
        QTest::newRow("desk-mates and in front")
            << QByteArray("1\tcompagni di banco\t30\tA\t2\tB\n1\tdavanti\t30\tA\t1\n")
            << seats({}, false) << QString();
        QTest::newRow("fixed desk, one marked") << QByteArray("1\tbanco fisso\t6\tA\t8\n")
                                                << seats({{9, 1}, {29, 0}}, false) << QString();
        QTest::newRow("impossible")
            << QByteArray("1\tcompagni di banco\t1\tA\t2\tB\n1\tseparati\t1\tA\t2\tB\n")
            << seats({}, false)
            << u"Errore!|Nessuna disposizione dei banchi rispetta insieme queste condizioni:\n• "
               "Alunno 0 e Alunno 1 devono essere compagni di banco e anche separati.\nTogliendone "
               "una qualsiasi, i banchi si possono assegnare.|[OK]"_s;
    }

    void fillKeepsTheRules()
    {
        QFETCH(QByteArray, rules);
        QFETCH(QList<int>, desks);
        QFETCH(QString, told);
        QVERIFY(KeptFiles::writeAll(m_dir.filePath(u"Posti-regole.txt"_s),
                                    "Posti-regole versione 1\n" + rules));
        if (desks.count(1)) // the pupil of a marked desk goes
            desks[29] = 0;
        QByteArray file = twoClasses(desks);
        if (desks.count(1))
            file.replace("Alunno 29,0", " ,0");
        start(file);
        const QStringList before = screen();
        m_session->take(Step::Fill);
        if (!told.isEmpty()) {
            QCOMPARE(m_view->log, QStringList{told});
            QCOMPARE(screen(), before);
            return;
        }
        QCOMPARE(m_view->log, QStringList());
        QCOMPARE(m_session->brokenRules(), QList<int>());
        const QList<int> pupils = m_session->rules().pupilAtDesk();
        for (int desk = 0; desk < SeatingView::Desks; ++desk) {
            QCOMPARE(m_view->selection[desk] == 1, desks[desk] == 1);
            if (desks[desk] >= 2)
                QCOMPARE(pupils[desk], desks[desk] - 2);
        }
        QCOMPARE(QSet<int>(pupils.begin(), pupils.end()).size(), 30); // 29 pupils, or −1
        if (rules.contains("banco fisso"))
            QCOMPARE(pupils[7], 5);
    }

    // With every desk taken, pupil 2 picked for desk 0: pupil 0 goes to desk
    // 2, the one desk left, beside pupil 3 whom they must sit apart from. The
    // swap is the teacher's: it happens, and the broken rule shows.
    void swapIgnoresTheRules()
    {
        QVERIFY(KeptFiles::writeAll(
            m_dir.filePath(u"Posti-regole.txt"_s),
            "Posti-regole versione 1\n1\tseparati\t1\tAlunno 0\t4\tAlunno 3\n"));
        start(twoClasses(seats()));
        pick(0, 4);
        QCOMPARE(m_view->log, QStringList());
        QCOMPARE(m_session->rules().pupilAtDesk().mid(0, 4), (QList<int>{2, 1, 0, 3}));
        QCOMPARE(m_session->brokenRules(), QList<int>{0});
    }
};

POSTI_TEST_MAIN(SessionTest)
#include "tst_session.moc"
