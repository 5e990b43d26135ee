// SPDX-License-Identifier: GPL-3.0-or-later
// The history of plans through the session and the fake view: what a store
// records, what its undo takes back, who a pupil is, the history file kept
// beside the seating file (read on first need, damage, newer versions, the
// journal after a crash), a plan put back, the history cleared, and
// "Nuovi compagni di banco".

#include "fakeview.h"
#include "keptfiles.h"
#include "seatingfilebuilder.h"
#include "sessiondriver.h"
#include "testmain.h"

#include <QDir>
#include <QSet>
#include <QTest>

using Step = SeatingSession::Step;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Today = QDate::currentDate().toString(Qt::ISODate).toLatin1();
// Desks 0 and 1 swapped, as a pick of pupil 1 for desk 0 leaves them.
const Fields Swapped{{0, "2 Alunno 1"}, {1, "1 Alunno 0"}};

// Class 1 "3A", pupils "Alunno 0"… at the given desk positions.
QByteArray classFile(const QList<int> &desks = seats())
{
    return seatingFile(withClass({}, 1, "3A", "Alunno", desks));
}

// Who shared a pair of desks in a plan line, as "a-b" with a < b.
QSet<QString> pairsOf(const QByteArray &line)
{
    const QList<QByteArray> fields = line.split('\t').mid(2);
    QSet<QString> pairs;
    for (int desk = 0; desk < Archivio::Pupils; desk += 2) {
        const int a = fields[desk].split(' ').first().toInt() - 1;
        const int b = fields[desk + 1].split(' ').first().toInt() - 1;
        if (a >= 0 && b >= 0)
            pairs << u"%1-%2"_s.arg(qMin(a, b)).arg(qMax(a, b));
    }
    return pairs;
}

} // namespace

class PlansTest : public SessionDriver
{
    Q_OBJECT

    const QString m_historyPath = m_dir.filePath(u"Posti-cronologia.txt"_s);

    // A session on the seating file and the history file (none: none).
    void start(const QByteArray &file, const QByteArray &history = {},
               const QStringList &replies = {})
    {
        if (!history.isEmpty())
            QVERIFY(KeptFiles::writeAll(m_historyPath, history));
        SessionDriver::start(file, replies);
    }
    QByteArray closeAndReadHistory()
    {
        m_view->reply = u"No"_s;
        m_session->requestClose();
        m_session.reset();
        return KeptFiles::readAll(m_historyPath);
    }
    QString told(QString text) const
    {
        return text.replace("<file>", QDir::toNativeSeparators(m_historyPath));
    }

private slots:
    void initTestCase() { KeptFiles::useDataFolderIn(m_dir.path()); }
    void init() { QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path())); }
    void cleanup()
    {
        if (m_session)
            closeAndReadHistory();
    }

    // What the stores of class 1 leave in the history file at close.
    void recording_data()
    {
        QTest::addColumn<QByteArray>("history"); // before; empty: none
        QTest::addColumn<QString>("actions");    // split by ','
        QTest::addColumn<QByteArray>("after");   // empty: no file
        const QByteArray october = planLine("2026-10-01");
        QTest::newRow("first plan") << QByteArray() << "store" << historyFile({planLine(Today)});
        QTest::newRow("unchanged") << historyFile({october}) << "store" << historyFile({october});
        QTest::newRow("a swap stores")
            << historyFile({october}) << "swap" << historyFile({october, planLine(Today, Swapped)});
        QTest::newRow("one a day")
            << historyFile({planLine(Today, Swapped)}) << "store" << historyFile({planLine(Today)});
        QTest::newRow("back to the plan before") << historyFile({october, planLine(Today, Swapped)})
                                                 << "store" << historyFile({october});
        QTest::newRow("a desk blank") << QByteArray() << "blank,store" << QByteArray();
        QTest::newRow("read-only") << QByteArray() << "read-only,store" << QByteArray();
        QTest::newRow("undone") << QByteArray() << "store,undo" << QByteArray();
        QTest::newRow("redone") << QByteArray() << "store,undo,redo"
                                << historyFile({planLine(Today)});
        QList<QByteArray> full;
        for (int day = 0; day < 200; ++day)
            full << planLine(QDate(2020, 1, 1).addDays(day).toString(Qt::ISODate).toLatin1(),
                             day % 2 ? Swapped : Fields());
        QTest::newRow("200 plans")
            << historyFile(full) << "store" << historyFile(full.mid(1) << planLine(Today));
        QTest::newRow("a pupil gone")
            << historyFile({october}) << "gone,swap"
            << historyFile({planLine("2026-10-01", {{3, "- Alunno 3"}}),
                            planLine(Today, {{0, "2 Alunno 1"}, {1, "1 Alunno 0"}, {3, "-"}})});
        Fields formers;
        for (int desk = 0; desk < Archivio::Pupils; ++desk)
            formers[desk] = "- Alunno " + QByteArray::number(desk);
        QTest::newRow("Cancella nomi") << historyFile({october}) << "delete,new name,store"
                                       << historyFile({planLine("2026-10-01", formers)});
        QTest::newRow("import") << historyFile({october}) << "import,store"
                                << historyFile({planLine("2026-10-01", formers)});
    }

    void recording()
    {
        QFETCH(QByteArray, history);
        QFETCH(QString, actions);
        QFETCH(QByteArray, after);
        if (actions.startsWith("read-only")) // another computer's lock, left alone
            QVERIFY(KeptFiles::writeAll(m_path + ".lock", "12345\nposti\nlaptop-casa\n\n\n"));
        start(classFile(), history, {u"Sì"_s});
        for (const QString &action : actions.split(',')) {
            if (action == "store")
                m_session->take(Step::Store);
            else if (action == "swap")
                pick(0, 3);
            else if (action == "blank")
                pick(0, 0);
            else if (action == "gone")
                type(3, QString());
            else if (action == "delete")
                m_session->take(Step::DeleteNames);
            else if (action == "import")
                m_session->importClass(QString(), {u"Nuovo"_s});
            else if (action == "new name")
                type(0, u"Nuovo"_s);
            else if (action == "undo")
                m_session->undo();
            else if (action == "redo")
                m_session->redo();
        }
        QCOMPARE(m_session->recordedPlans().plans().size(), after.count("\r\n1\t"));
        QCOMPARE(closeAndReadHistory(), after);
        QFile::remove(m_path + ".lock");
    }

    // The file is read when first needed, not at start-up; what it costs is
    // told once; the file is written over only when it can be.
    void historyFileKept_data()
    {
        QTest::addColumn<QByteArray>("history");
        QTest::addColumn<QString>("told"); // at the first store; <file>: the history file
        QTest::addColumn<QByteArray>("after");
        const QByteArray october = planLine("2026-10-01");
        QTest::newRow("a damaged line")
            << historyFile({october, "1\t2026-10-02\tjunk"})
            << "Attenzione!|Il file delle disposizioni precedenti\n<file>\nera danneggiato. Sono "
               "state lette tutte le disposizioni leggibili; non sono state lette:\n- riga 4: "
               "«1\t2026-10-02\tjunk»\n\nIl file originale, così com'era, è stato copiato "
               "in:\n<file>.bak|[OK]"
            << historyFile({october, planLine(Today, Swapped)});
        QTest::newRow("newer") << historyFile({october}, "2")
                               << "Attenzione!|Il file delle disposizioni precedenti\n<file>\nè "
                                  "stato scritto da una versione più recente del programma: sono "
                                  "state lette le disposizioni che questa versione comprende. In "
                                  "questa sessione non si registrano nuove disposizioni, e il "
                                  "file resta com'è.|[OK]"
                               << historyFile({october}, "2");
    }

    void historyFileKept()
    {
        QFETCH(QByteArray, history);
        QFETCH(QString, told);
        QFETCH(QByteArray, after);
        start(classFile(), history);
        QCOMPARE(m_view->log, QStringList());
        pick(0, 3);
        pick(0, 2); // back: a second store, a second plan of the day
        pick(0, 3);
        QCOMPARE(m_view->log, QStringList{this->told(told)});
        QCOMPARE(m_session->recordedPlans().plans().size(), told.contains("recente") ? 1 : 2);
        QCOMPARE(m_session->historyFrozenReason().isEmpty(), !told.contains("recente"));
        QCOMPARE(closeAndReadHistory(), after);
        if (told.contains(".bak"))
            QCOMPARE(KeptFiles::readAll(m_historyPath + ".bak"), history);
    }

    // A directory where the file should be cannot be read: nothing is
    // recorded, and the directory stays.
    void unreadableFileFrozen()
    {
        QVERIFY(QDir().mkpath(m_historyPath));
        start(classFile());
        pick(0, 3);
        QCOMPARE(m_view->log.size(), 1);
        QVERIFY(m_view->log.first().startsWith(
            told("Attenzione!|Non è stato possibile leggere il file delle disposizioni "
                 "precedenti\n<file>\n")));
        QVERIFY(m_view->log.first().endsWith(
            "\nIn questa sessione non si registrano nuove disposizioni, e il file resta "
            "com'è.|[OK]"));
        QCOMPARE(m_session->recordedPlans().plans().size(), 0);
        closeAndReadHistory();
        QVERIFY(QFileInfo(m_historyPath).isDir());
    }

    // A store, then a crash: the journal's question restores the plans with
    // the classes, or sets them aside with them; a journal whose classes the
    // file holds brings its plans back without a question.
    void journal_data()
    {
        QTest::addColumn<QString>("store"); // "swap" or "store" (the table unchanged)
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("Sì") << "swap"
                            << "Sì" << historyFile({planLine(Today, Swapped)});
        QTest::newRow("No") << "swap"
                            << "No" << QByteArray();
        QTest::newRow("the table as the file") << "store"
                                               << "" << historyFile({planLine(Today)});
    }

    void journal()
    {
        QFETCH(QString, store);
        QFETCH(QString, reply);
        QFETCH(QByteArray, after);
        start(classFile());
        store == "swap" ? pick(0, 3) : m_session->take(Step::Store);
        m_session.reset(); // a crash
        QVERIFY(!QFileInfo::exists(m_historyPath));
        start({}, {}, {reply});
        QCOMPARE(m_view->log.isEmpty(), reply.isEmpty()); // the journal's question
        QCOMPARE(m_session->recordedPlans().plans().size(), int(!after.isEmpty()));
        const QString aside = KeptFiles::dataFile(
            uR"(Posti-diario-????????????????-????????-??????-cronologia.txt)"_s);
        QCOMPARE(aside.isEmpty(), reply != "No");
        QCOMPARE(closeAndReadHistory(), after);
        QCOMPARE(KeptFiles::dataFile(KeptFiles::JournalName), QString());
    }

    // A plan put back: pupils gone leave their desk blank, as does a former
    // pupil's desk; pupils added since stay unseated; one step to undo.
    void restoreOldPlan()
    {
        QByteArray file = classFile(seats({}, false));
        file.replace("Alunno 0,0", " ,0"); // gone since
        start(file, historyFile({planLine("2026-10-01", {{5, "- Rossi Anna"}, {29, "-"}})}));
        const QList<int> before = m_session->rules().pupilAtDesk();
        m_session->restorePlan(m_session->recordedPlans().plans().first());
        QList<int> expected;
        for (int desk = 0; desk < Archivio::Pupils; ++desk)
            expected << (desk == 0 || desk == 5 || desk == 29 ? -1 : desk);
        QCOMPARE(m_session->rules().pupilAtDesk(), expected);
        QVERIFY(m_session->hasUnstoredChanges());
        m_session->undo();
        QCOMPARE(m_session->rules().pupilAtDesk(), before);
    }

    void clearHistory_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("left");
        QTest::newRow("Sì") << "Sì" << 0;
        QTest::newRow("No") << "No" << 1;
        QTest::newRow("Escape") << "" << 1;
    }

    void clearHistory()
    {
        QFETCH(QString, reply);
        QFETCH(int, left);
        start(classFile(), historyFile({planLine("2026-10-01")}), {reply});
        m_session->clearPlanHistory();
        QCOMPARE(m_view->log,
                 QStringList{"Attenzione!|Cancellare tutte le disposizioni memorizzate della "
                             "classe «3A»? «Nuovi compagni di banco» non saprà più chi è già "
                             "stato compagno di banco di chi.|Sì/[No]"});
        QCOMPARE(m_session->recordedPlans().plans().size(), left);
        m_session->undo();
        QCOMPARE(m_session->recordedPlans().plans().size(), 1);
        m_session->redo();
        QCOMPARE(closeAndReadHistory(),
                 historyFile(left ? QList{planLine("2026-10-01")} : QList<QByteArray>{}));
    }

    // Everyone seated once, the marked desks kept, no pair of the plans
    // again, the rules kept, the teacher told; not stored, one step.
    void reseat_data()
    {
        QTest::addColumn<QByteArray>("rules");
        QTest::addColumn<QList<QByteArray>>("plans");
        QTest::addColumn<QList<int>>("desks");
        QTest::addColumn<QString>("told");
        QTest::newRow("no plans")
            << QByteArray() << QList<QByteArray>{} << seats()
            << "Nuovi compagni di banco|Non ci sono ancora disposizioni memorizzate: i banchi "
               "sono assegnati a caso.|[OK]";
        QTest::newRow("one plan")
            << QByteArray() << QList{planLine("2020-10-12")} << seats()
            << "Nuovi compagni di banco|Nessuno siede con un compagno di banco già avuto "
               "nell'ultima disposizione (dal 12 ottobre 2020).|[OK]";
        Fields shifted{{29, "*"}}; // pupil d + 1 at desk d, pupil 0 at desk 28
        for (int desk = 0; desk < 29; ++desk)
            shifted[desk] = QByteArray::number((desk + 1) % 29 + 1) + " Alunno";
        QTest::newRow("two plans, rules, a desk marked")
            << QByteArray("1\tbanco fisso\t6\tAlunno 5\t8\n1\tseparati\t1\tAlunno 0\t3\tAlunno 2\n")
            << QList{planLine("2020-10-08", {{29, "-"}}), planLine("2020-11-03", shifted)}
            << seats({{29, 1}})
            << "Nuovi compagni di banco|Nessuno siede con un compagno di banco già avuto "
               "nelle ultime 2 disposizioni (dall'8 ottobre 2020).|[OK]";
        QTest::newRow("a desk short")
            << QByteArray() << QList<QByteArray>{} << seats({{28, 1}, {29, 1}})
            << "Errore!|Ci sono più alunni che banchi liberi!\r\nRimuovere a 1 banco "
               "l'indicazione ->Non assegnare<-.|[OK]";
        QTest::newRow("impossible")
            << QByteArray("1\tcompagni di banco\t1\tAlunno 0\t2\tAlunno 1\n1\tseparati\t1\tAlunno "
                          "0\t2\tAlunno 1\n")
            << QList<QByteArray>{} << seats()
            << "Errore!|Nessuna disposizione dei banchi rispetta insieme queste condizioni:\n• "
               "Alunno 0 e Alunno 1 devono essere compagni di banco e anche separati.\nTogliendone "
               "una qualsiasi, i banchi si possono assegnare.|[OK]";
    }

    void reseat()
    {
        QFETCH(QByteArray, rules);
        QFETCH(QList<QByteArray>, plans);
        QFETCH(QList<int>, desks);
        QFETCH(QString, told);
        if (!rules.isEmpty())
            QVERIFY(KeptFiles::writeAll(m_dir.filePath(u"Posti-regole.txt"_s),
                                        "Posti-regole versione 1\n" + rules));
        QByteArray file = classFile(desks);
        if (desks[29] == 1) // the pupil of a marked desk goes
            file.replace("Alunno 29,1", " ,1");
        start(file, plans.isEmpty() ? QByteArray() : historyFile(plans));
        const QList<int> before = m_session->rules().pupilAtDesk();
        m_session->reseat();
        QCOMPARE(m_view->log, QStringList{told});
        const QList<int> pupils = m_session->rules().pupilAtDesk();
        if (told.startsWith("Errore!")) {
            QCOMPARE(pupils, before);
            return;
        }
        for (int desk = 0; desk < Archivio::Pupils; ++desk)
            QCOMPARE(m_view->selection[desk] == 1, desks[desk] == 1);
        QCOMPARE(QSet<int>(pupils.begin(), pupils.end()).size(), 30); // 29 pupils and −1, or 30
        QCOMPARE(m_session->brokenRules(), QList<int>());
        if (!rules.isEmpty())
            QCOMPARE(pupils[7], 5);
        QSet<QString> past;
        for (const QByteArray &plan : plans)
            past += pairsOf(plan);
        for (int desk = 0; desk < Archivio::Pupils; desk += 2) {
            const int a = qMin(pupils[desk], pupils[desk + 1]);
            const int b = qMax(pupils[desk], pupils[desk + 1]);
            QVERIFY2(a < 0 || !past.contains(u"%1-%2"_s.arg(a).arg(b)),
                     qPrintable(QString::number(desk)));
        }
        QVERIFY(m_session->hasUnstoredChanges());
        m_session->undo();
        QCOMPARE(m_session->rules().pupilAtDesk(), before);
    }
};

POSTI_TEST_MAIN(PlansTest)
#include "tst_plans.moc"
