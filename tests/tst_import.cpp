// SPDX-License-Identifier: GPL-3.0-or-later
// "Importa elenco…" and "Esporta…" in the real window: the file dialog and
// the preview answered as a teacher would, the class on screen replaced as
// one step that Ctrl+Z takes back, nothing stored until "Memorizza", and the
// plan on screen exported.

#include "classtransfer.h"
#include "messageboxanswerer.h"
#include "seatingfilebuilder.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Answers the modal dialogs as they open, one step each, in order.
class ModalSteps : public QObject
{
public:
    explicit ModalSteps(QList<std::function<void(QWidget *)>> steps)
        : m_steps(std::move(steps))
    {
        startTimer(10);
    }
    bool done() const { return m_steps.isEmpty(); }

protected:
    void timerEvent(QTimerEvent *) override
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_last || m_steps.isEmpty())
            return;
        m_last = modal;
        m_steps.takeFirst()(modal);
    }

private:
    QList<std::function<void(QWidget *)>> m_steps;
    // A guarded pointer: the next dialog may be made where the last one was.
    QPointer<QWidget> m_last;
};

QString sample(const QString &name)
{
    return QStringLiteral(IMPORT_DATA "/") + name;
}

void pickFile(QWidget *modal, const QString &path)
{
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    QVERIFY(dialog);
    dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept");
}

struct Preview
{
    QStringList names;
    QString changes;
    QString outcome;
    bool importable = false;
};

Preview readPreview(QWidget *modal)
{
    Preview preview;
    auto *list = modal->findChild<QListWidget *>(u"namesList"_s);
    for (int i = 0; list && i < list->count(); ++i)
        preview.names << list->item(i)->text();
    preview.changes = modal->findChild<QPlainTextEdit *>(u"changesText"_s)->toPlainText();
    preview.outcome = modal->findChild<QLabel *>(u"outcomeLabel"_s)->text();
    preview.importable = modal->findChild<QPushButton *>(u"importButton"_s)->isEnabled();
    return preview;
}

} // namespace

class ImportTest : public QObject
{
    Q_OBJECT

    TestWindow m_window;

private slots:
    // Class 1 "1A": pupils "Vecchio 0" to "Vecchio 29" seated, desk 6 marked.
    void init()
    {
        QVERIFY(m_window.open(seatingFile(withClass({}, 1, "1A", "Vecchio", seats({{5, 1}}))),
                              nullptr));
    }
    void cleanup() { m_window.close(); }

    void importAndUndo()
    {
        const QStringList before = m_window.names();
        const QList<int> seatingBefore = m_window.seating();
        const QString stored = m_window->archivio().cell(0, Archivio::NameColumn);
        Preview preview;
        ModalSteps steps({[](QWidget *modal) { pickFile(modal, sample(u"elenco-utf8.csv"_s)); },
                          [&preview](QWidget *modal) {
                              preview = readPreview(modal);
                              QTest::mouseClick(modal->findChild<QPushButton *>(u"importButton"_s),
                                                Qt::LeftButton);
                          }});
        QAction *import = m_window.action(u"importAction"_s);
        QCOMPARE(import->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
        import->trigger();
        QTRY_VERIFY(steps.done());
        const QStringList names{u"Rossi Maria Chiara"_s, u"Bianchi Bibi Anna"_s, u"Šimic Luka"_s,
                                u"Dell'Orto Pietro"_s};
        QCOMPARE(preview.names,
                 QStringList({u"01. Rossi Maria Chiara"_s, u"02. Bianchi Bibi Anna"_s,
                              u"03. Šimic Luka"_s, u"04. Dell'Orto Pietro"_s}));
        QCOMPARE(preview.changes,
                 u"riga 2: «rossi maria, chiara» scritto «rossi maria chiara»: il file dei posti "
                 u"non ha quelle lettere\n"
                 u"riga 2: «rossi maria chiara» scritto come nome: «Rossi Maria Chiara»\n"
                 u"riga 3: «BIANCHI \"BIBI\" ANNA» scritto «BIANCHI BIBI ANNA»: il file dei "
                 u"posti non ha quelle lettere\n"
                 u"riga 3: «BIANCHI BIBI ANNA» scritto come nome: «Bianchi Bibi Anna»\n"
                 u"riga 4: «Šimić Luka» scritto «Šimic Luka»: il file dei posti non ha quelle "
                 u"lettere"_s);
        QCOMPARE(preview.outcome,
                 u"Importando, i 4 nomi prendono il posto dei 30 nomi sullo schermo e la classe "
                 u"si chiamerà «2B» invece di «1A»; 29 banchi occupati tornano vuoti, i banchi "
                 u"non usati restano. Ogni nome è un alunno nuovo: regole e posti degli alunni "
                 u"di prima non valgono più dopo «Memorizza». Nulla è memorizzato prima di "
                 u"«Memorizza»; Ctrl+Z annulla."_s);
        QVERIFY(preview.importable);
        QCOMPARE(m_window.names().mid(0, 5), names + QStringList{QString()});
        QCOMPARE(m_window.names().at(30), u"2B"_s);
        QList<int> emptied(30, 0);
        emptied[5] = 1;
        QCOMPARE(m_window.seating(), emptied);
        QCOMPARE(m_window->archivio().cell(0, Archivio::NameColumn), stored);

        m_window.action(u"undoAction"_s)->trigger();
        QCOMPARE(m_window.names(), before);
        QCOMPARE(m_window.seating(), seatingBefore);
    }

    // Nothing changes on screen: a class past 30 pupils is shown, with its
    // count, but cannot be imported; a file that is no list is told.
    void refused()
    {
        QTemporaryDir folder;
        QFile big(folder.filePath(u"31.csv"_s));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("Cognome;Nome\n");
        for (int pupil = 1; pupil <= 31; ++pupil)
            big.write("Rossi;Alunno " + QByteArray::number(pupil) + "\n");
        big.close();
        const QStringList before = m_window.names();
        Preview preview;
        // The file dialog is the import test's; here the file is named directly.
        ModalSteps steps({[&preview](QWidget *modal) {
            preview = readPreview(modal);
            QTest::keyClick(modal, Qt::Key_Escape);
        }});
        MessageBoxAnswerer answerer(u"OK"_s);
        auto *transfer = m_window->findChild<ClassTransfer *>();
        transfer->importFile(big.fileName());
        QCOMPARE(preview.outcome, u"La classe ha 31 alunni: ne entrano al massimo 30. Non si può "
                                  u"importare; sullo schermo non cambia nulla."_s);
        QVERIFY(!preview.importable);
        transfer->importFile(sample(u"spazzatura.bin"_s));
        QVERIFY(steps.done());
        QCOMPARE(answerer.texts(),
                 QStringList{u"Impossibile importare «spazzatura.bin».\nIl file non è un elenco "
                             u"leggibile: si leggono i fogli di calcolo (.xlsx, .ods, .xls) e i "
                             u"testi CSV o TXT.\nSullo schermo non è cambiato nulla."_s});
        QCOMPARE(m_window.names(), before);
    }

    // The plan on screen, stored or not: a marked desk, a blank one, and the
    // pupils on no desk after the desks.
    void exportPlan()
    {
        m_window.pick(0, 0);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"pianta.csv"_s);
        m_window->findChild<ClassTransfer *>()->exportTo(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.mid(0, 8),
                 QList<QByteArray>({"\xEF\xBB\xBF"
                                    "Banco;Fila;Alunno;Classe\r",
                                    "1;1;;1A\r", "2;1;Vecchio 1;1A\r", "3;2;Vecchio 2;1A\r",
                                    "4;2;Vecchio 3;1A\r", "5;3;Vecchio 4;1A\r",
                                    "6;3;non usato;1A\r", "7;4;Vecchio 6;1A\r"}));
        QCOMPARE(lines.mid(30), QList<QByteArray>({"30;5;Vecchio 29;1A\r", ";;Vecchio 0;1A\r",
                                                   ";;Vecchio 5;1A\r", ""}));
    }
};

POSTI_TEST_MAIN(ImportTest)
#include "tst_import.moc"
