// The previous version that a save over a file keeps: the old file itself under a second name,
// not a copy; and a backup that cannot be made fails the save with nothing left behind.
#include "app/DatabaseFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TstZaloha : public QObject {
    Q_OBJECT
  private slots:
    void saveOverAFile_data()
    {
        QTest::addColumn<QString>("backup"); // what stands at the backup's name before
        QTest::newRow("no backup yet") << "";
        QTest::newRow("an older backup") << "file";
        QTest::newRow("a folder in the way: the save fails") << "folder";
    }

    void saveOverAFile()
    {
        QFETCH(QString, backup);
        QTemporaryDir dir;
        const QString path = dir.filePath("a.pln");
        QCOMPARE(saveDatabaseFile(path, ZoznamCD{}), QString()); // the old file: "0"
        if (backup == "file")
            QCOMPARE(saveDatabaseFile(backupFileName(path), ZoznamCD{}), QString());
        if (backup == "folder")
            QVERIFY(QDir(dir.path()).mkpath("a.pln~/inside"));
        struct stat old {};
        QVERIFY(stat(QFile::encodeName(path).constData(), &old) == 0);

        ZoznamCD zoznam;
        zoznam.PripojZaznam(new ZaznamCD);
        const bool saved = saveDatabaseFile(path, zoznam).isEmpty();
        QCOMPARE(saved, backup != "folder");
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 (QStringList{"a.pln", "a.pln~"}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().size(), saved ? 141 : 1);
        if (saved) {
            struct stat kept {};
            QVERIFY(stat(QFile::encodeName(backupFileName(path)).constData(), &kept) == 0);
            QCOMPARE(kept.st_ino, old.st_ino);
            QCOMPARE(kept.st_size, off_t(1));
        }
    }
};

QTEST_GUILESS_MAIN(TstZaloha)
#include "tst_zaloha.moc"
