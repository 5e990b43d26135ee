// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the full seating file: what start-up and close cost on
// the largest table a teacher can have.

#include "archivio.h"
#include "fullfile.h"
#include "seatingdisk.h"

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
    void serialize();

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
    SeatingDisk::LoadResult result;
    QBENCHMARK
    {
        result = SeatingDisk::load(m_path, archivio);
    }
    QCOMPARE(result.status, SeatingDisk::LoadResult::Status::Loaded);
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
        saved = SeatingDisk::save(m_path, archivio);
    }
    QVERIFY(saved);
    QCOMPARE(readBack(), FullFile::contents());
}

// The save without the disk: what is left of it is writing the file and
// syncing it, which the machine's other disk traffic can hold up.
void SeatingFileBench::serialize()
{
    Archivio archivio;
    FullFile::fill(archivio);

    QByteArray bytes;
    QBENCHMARK
    {
        bytes = SeatingFile::serialize(archivio);
    }
    QCOMPARE(bytes, FullFile::contents());
}

QTEST_GUILESS_MAIN(SeatingFileBench)
#include "bench_seatingfile.moc"
