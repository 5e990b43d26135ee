// Reading and writing the full seating file: what start-up and close cost on
// the largest table a teacher can have.

#include "archivio.h"
#include "fullfile.h"
#include "seatingfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class SeatingFileBench : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void load();
    void save();

private:
    QByteArray readBack() const;

    QTemporaryDir m_dir;
    QString m_path;
};

void SeatingFileBench::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(SeatingFile::fileName());
}

QByteArray SeatingFileBench::readBack() const
{
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SeatingFileBench::load()
{
    QVERIFY(FullFile::write(m_path));
    Archivio expected;
    FullFile::fill(expected);

    Archivio archivio;
    SeatingFile::LoadResult result;
    QBENCHMARK
    {
        result = SeatingFile::load(m_path, archivio);
    }
    QCOMPARE(result.status, SeatingFile::LoadResult::Status::Loaded);
    QVERIFY(archivio == expected);
}

void SeatingFileBench::save()
{
    QFile::remove(m_path);
    Archivio archivio;
    FullFile::fill(archivio);

    bool saved = false;
    QBENCHMARK
    {
        saved = SeatingFile::save(m_path, archivio);
    }
    QVERIFY(saved);
    QCOMPARE(readBack(), FullFile::contents());
}

QTEST_GUILESS_MAIN(SeatingFileBench)
#include "bench_seatingfile.moc"
