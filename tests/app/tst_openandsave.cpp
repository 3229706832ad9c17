// Open and Save through the main window: only a completed load replaces the collection,
// every failure is reported with the file's name, and a save never leaves a broken file.
#include "FakeAsker.h"
#include "Records.h"
#include "TestMain.h"

#include "app/CodePage.h"
#include "app/DatabaseFile.h"
#include "app/MainForm.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

FakeAsker unusedAsker;

const QByteArray kWorkedExample =
    "2Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|Name CD |Autor CD|"
    "Typ CD |01012003|Nedefinovane|Nedefinovane|31122100|Ranna|Vecer|Dazd|More|Cesta|Domov|"
    "Leto|Zima|Noc|Koniec|Piesne 2003|Kapela|audio|15.03.2003|Peter|Kovac|31.03.2003|";

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Limits the size of files this process writes, as a full disk would, until it goes.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of killing us
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

class TstOpenAndSave : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeAsker> asker;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<QTemporaryDir> dir;

    QAction *action(const char *name) { return form->findChild<QAction *>(name); }
    bool flag() { return action("Save")->isEnabled(); }
    QString count() { return form->findChild<QLabel *>("LabelPocetCd")->text(); }
    QString path(const char *name) { return dir->filePath(name); }

    // Three unsaved records on screen, the state every failure must leave alone.
    void threeUnsavedRecords()
    {
        addRecord(Zoznam, "Prvy");
        addRecord(Zoznam, "Druhy");
        addRecord(Zoznam, "Treti");
        QString seen;
        action("Save")->setEnabled(true);
        form->findChild<QLabel *>("LabelPocetCd")->setText("3");
    }

    void expectUnchanged()
    {
        QCOMPARE(names(Zoznam), std::string("Prvy,Druhy,Treti"));
        QCOMPARE(count(), QString("3"));
        QVERIFY(flag());
    }

  private slots:
    void init()
    {
        Zoznam.VymazVsetky();
        dir = std::make_unique<QTemporaryDir>();
        asker = std::make_unique<FakeAsker>();
        form = std::make_unique<TMainForm>(nullptr, asker.get());
    }

    void cleanup()
    {
        form.reset();
        Zoznam.VymazVsetky();
    }

    void dialogsAskForDatabaseFiles()
    {
        asker->files << path("a.pln");
        action("Save")->setEnabled(true);
        action("Save")->trigger();
        action("Open")->trigger();
        QCOMPARE(asker->questions.size(), 2);
        QCOMPARE(asker->questions[0].kind, FileQuestion::Kind::Save);
        QCOMPARE(asker->questions[1].kind, FileQuestion::Kind::Open);
        for (const FileQuestion &question : asker->questions) {
            QCOMPARE(question.filter, QString("Platnovnik (*.pln)"));
            QCOMPARE(question.defaultSuffix, QString("pln"));
        }
        QVERIFY(asker->questions[0].canClose && asker->questions[0].canClose(path("a.pln")));
    }

    void openPrompt_data()
    {
        QTest::addColumn<bool>("changes");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("dialogShown");
        QTest::newRow("nothing unsaved: no question") << false << 0 << true;
        QTest::newRow("unsaved, OK: goes on to the dialog") << true << 1 << true;
        QTest::newRow("unsaved, Cancel: nothing changes") << true << 2 << false;
    }

    void openPrompt()
    {
        QFETCH(bool, changes);
        QFETCH(int, answer);
        QFETCH(bool, dialogShown);
        threeUnsavedRecords();
        action("Save")->setEnabled(changes);
        if (answer)
            asker->answers << answer;
        action("Open")->trigger(); // the dialog, if shown, is cancelled
        QCOMPARE(asker->boxes.size(), changes ? 1 : 0);
        if (changes) {
            QCOMPARE(asker->boxes[0].text,
                     QString("Nemas ulozene vytvorene polozky!\nPokracovat?"));
            QCOMPARE(asker->boxes[0].caption, QString("Pozor!"));
            QCOMPARE(asker->boxes[0].flags, 0x31);
        }
        QCOMPARE(asker->questions.size(), dialogShown ? 1 : 0);
        // A cancelled dialog leaves the collection, the count and the flag as they were.
        QCOMPARE(names(Zoznam), std::string("Prvy,Druhy,Treti"));
        QCOMPARE(count(), QString("3"));
        QCOMPARE(flag(), changes);
    }

    void openLoadsTheFile()
    {
        threeUnsavedRecords();
        write(path("priklad.pln"), kWorkedExample);
        asker->files << path("priklad.pln");
        action("Open")->trigger();
        QCOMPARE(asker->boxes.size(), 1); // the guard, answered OK
        QCOMPARE(names(Zoznam), std::string("Name CD ,Piesne 2003"));
        QCOMPARE(Zoznam.ZaznamNaPozicii(2)->Priezvisko, std::string("Kovac"));
        QCOMPARE(count(), QString("2"));
        QVERIFY(!flag());
        // A later "End" asks nothing.
        action("End1")->trigger();
        QCOMPARE(asker->boxes.size(), 1);
    }

    void openKeepsCodePageBytes()
    {
        // "Sedem dni" with s-caron, i-acute in Windows-1250: the bytes come back unchanged.
        const QByteArray file = "1A|B|C|D|E|F|G|H|I|J|\x8a"
                                "edem dn\xed|Autor|Typ|1|M|P|2|";
        write(path("diakritika.pln"), file);
        asker->files << path("diakritika.pln");
        action("Open")->trigger();
        QCOMPARE(Zoznam.PocetCd, 1);
        QCOMPARE(Zoznam.Prvy->NazovCD, std::string("\x8a"
                                                   "edem dn\xed"));
    }

    void sampleDatabaseOpens()
    {
        asker->files << PLATNOVNIK_SAMPLE;
        action("Open")->trigger();
        QVERIFY(asker->boxes.isEmpty());
        QCOMPARE(count(), QString("4"));
        QVERIFY(!NajdiStratu(Zoznam)); // and it saves back unchanged
        QCOMPARE(CodePage::toQString(Zoznam.Prvy->Priezvisko), QString::fromUtf8("Kováč"));
        QCOMPARE(CodePage::toQString(Zoznam.ZaznamNaPozicii(2)->AutorCD),
                 QString::fromUtf8("Ľudová hudba"));
    }

    void openEmptyCollection()
    {
        threeUnsavedRecords();
        write(path("prazdna.pln"), "0");
        asker->files << path("prazdna.pln");
        action("Open")->trigger();
        QCOMPARE(Zoznam.PocetCd, 0);
        QCOMPARE(count(), QString("0"));
        QVERIFY(!flag());
    }

    void openFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("said");
        QTest::newRow("cut off in the second record")
            << kWorkedExample.left(200) << "odrezana.pln"
            << "Zaznam 2 (bajt 200): subor konci skor, ako zaznam skonci.";
        QTest::newRow("an item \"0\"") << QByteArray("1a|b|c|d|e|f|g|h|i|j|0|") << "nula.pln"
                                       << "Zaznam 1 (bajt 21): polozka \"0\" znamena koniec";
        QTest::newRow("NUL byte") << QByteArray("1a|b\0c|", 7) << "nul.pln"
                                  << "Zaznam 1 (bajt 4): v texte je nulovy bajt";
        QTest::newRow("negative count") << QByteArray("-3") << "zaporny.pln"
                                        << "pocet zaznamov je zaporny";
        QTest::newRow("count beyond 32 bits") << QByteArray("99999999999|") << "velky.pln"
                                              << "pocet zaznamov je prilis velky";
        QTest::newRow("missing file") << QByteArray() << "chyba.pln"
                                      << "sa neda otvorit:\nNo such file or directory";
        QTest::newRow("a folder") << QByteArray() << "priecinok.pln"
                                  << "sa neda otvorit:\nnie je to obycajny subor";
    }

    void openFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QString, said);
        if (name == "priecinok.pln")
            QVERIFY(QDir(dir->path()).mkdir(name));
        else if (name != "chyba.pln")
            write(path(name.toLatin1()), bytes);
        threeUnsavedRecords();
        asker->files << path(name.toLatin1());
        action("Open")->trigger();
        QCOMPARE(asker->boxes.size(), 2); // the guard, then the report
        const FakeAsker::Shown &report = asker->boxes[1];
        QVERIFY2(report.text.contains('"' + path(name.toLatin1()) + '"'), qPrintable(report.text));
        QVERIFY2(report.text.contains(said), qPrintable(report.text));
        QCOMPARE(report.caption, QString("Pozor!"));
        QCOMPARE(report.flags, 0x30);
        expectUnchanged();
    }

    void openUnreadableFile()
    {
        // Opens, but every read fails, even for root.
        const QString memory = "/proc/self/mem";
        QFile probe(memory);
        char byte;
        if (!probe.open(QIODevice::ReadOnly) || probe.read(&byte, 1) >= 0)
            QSKIP("no file here that opens but cannot be read");
        threeUnsavedRecords();
        asker->files << memory;
        action("Open")->trigger();
        QCOMPARE(asker->boxes.size(), 2);
        QVERIFY2(asker->boxes[1].text.contains("\"/proc/self/mem\" sa neda precitat:\n"),
                 qPrintable(asker->boxes[1].text));
        expectUnchanged();
    }

    void saveWritesTheFormatAndKeepsThePreviousVersion()
    {
        addRecord(Zoznam, "Prvy");
        addRecord(Zoznam, "Druhy");
        action("Save")->setEnabled(true);
        write(path("zbierka.pln"), "0");
        QVERIFY(QFile::setPermissions(path("zbierka.pln"), QFile::ReadOwner | QFile::WriteOwner));
        const QFile::Permissions private_ = QFile::permissions(path("zbierka.pln"));
        asker->files << path("zbierka.pln");
        action("Save")->trigger();
        QVERIFY(asker->boxes.isEmpty());
        QVERIFY(!flag());
        StringSink expected;
        QVERIFY(UlozDatabazu(expected, Zoznam));
        QCOMPARE(read(path("zbierka.pln")), QByteArray::fromStdString(expected.bytes));
        QCOMPARE(read(path("zbierka.pln~")), QByteArray("0"));
        // Neither the new file nor the kept one is open to more people than the old file was.
        QCOMPARE(QFile::permissions(path("zbierka.pln")), private_);
        QCOMPARE(QFile::permissions(path("zbierka.pln~")), private_);
        // Saved twice: the backup is the first save, and no temporary file is left behind.
        addRecord(Zoznam, "Treti");
        action("Save")->setEnabled(true);
        asker->files << path("zbierka.pln");
        action("Save")->trigger();
        QCOMPARE(read(path("zbierka.pln~")), QByteArray::fromStdString(expected.bytes));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files),
                 (QStringList{"zbierka.pln", "zbierka.pln~"}));
        // And it reads back.
        asker->files << path("zbierka.pln");
        action("Open")->trigger();
        QCOMPARE(names(Zoznam), std::string("Prvy,Druhy,Treti"));
    }

    void saveOfANewFileMakesNoBackup()
    {
        action("Save")->setEnabled(true);
        asker->files << path("nova.pln");
        action("Save")->trigger();
        QCOMPARE(read(path("nova.pln")), QByteArray("0"));
        QVERIFY(!QFile::exists(path("nova.pln~")));
        QVERIFY(!flag());
    }

    void saveDialogCancelled()
    {
        threeUnsavedRecords();
        action("Save")->trigger();
        QVERIFY(asker->boxes.isEmpty());
        expectUnchanged();
        QVERIFY(QDir(dir->path()).isEmpty());
    }

    void lossWarning_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("said");
        QTest::newRow("a text \"0\"")
            << "Meno" << QByteArray("0") << "Zaznam 2, pole Meno je len \"0\".";
        QTest::newRow("a bar in a text")
            << "NazovCD" << QByteArray("A|B") << "Zaznam 2, pole NazovCD obsahuje znak \"|\".";
    }

    void lossWarning()
    {
        QFETCH(QString, field);
        QFETCH(QByteArray, text);
        QFETCH(QString, said);
        for (int answer : {Box::ResultCancel, Box::ResultOk}) {
            Zoznam.VymazVsetky();
            addRecord(Zoznam, "Prvy");
            addRecord(Zoznam, field == "NazovCD" ? text.toStdString() : "Druhy",
                      field == "Meno" ? text.toStdString() : "Jan");
            action("Save")->setEnabled(true);
            asker->boxes.clear();
            asker->answers << answer;
            asker->files << path("strata.pln");
            action("Save")->trigger();
            QCOMPARE(asker->boxes.size(), 1);
            QVERIFY2(asker->boxes[0].text.startsWith(said), qPrintable(asker->boxes[0].text));
            QVERIFY(asker->boxes[0].text.contains(path("strata.pln")));
            QCOMPARE(asker->boxes[0].flags, 0x31);
            // Cancel writes nothing; OK writes the format's bytes all the same.
            QCOMPARE(QFile::exists(path("strata.pln")), answer == Box::ResultOk);
            QCOMPARE(flag(), answer == Box::ResultCancel);
        }
    }

    void saveFailures_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a device") << "/dev/full"
                                  << "nie je to obycajny subor";
        QTest::newRow("a folder that is gone") << "gone/zbierka.pln"
                                               << "No such file or directory";
        QTest::newRow("a folder nobody may write") << "/sys/zbierka.pln"
                                                   << "Permission denied";
    }

    void saveFailures()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        if (target.startsWith("/sys")) {
            QFile probe(target);
            if (probe.open(QIODevice::WriteOnly))
                QSKIP("this folder is writable here");
        }
        const QString name = target.startsWith('/') ? target : path(target.toLatin1());
        threeUnsavedRecords();
        asker->files << name;
        action("Save")->trigger();
        QCOMPARE(asker->boxes.size(), 1);
        const QString said = "Subor \"" + name + "\" sa neda ulozit:\n" + reason;
        QVERIFY2(asker->boxes[0].text.startsWith(said), qPrintable(asker->boxes[0].text));
        expectUnchanged();
        struct stat info {};
        QVERIFY(stat("/dev/full", &info) == 0 && S_ISCHR(info.st_mode));
    }

    void fullDiskLeavesTheOldFileWhole()
    {
        for (int i = 0; i < 100; ++i)
            addRecord(Zoznam, "Album");
        action("Save")->setEnabled(true);
        write(path("plny.pln"), kWorkedExample);
        asker->files << path("plny.pln");
        {
            const FileSizeLimit limit(1000);
            action("Save")->trigger();
        }
        QCOMPARE(asker->boxes.size(), 1);
        QVERIFY2(asker->boxes[0].text.startsWith("Subor \"" + path("plny.pln") +
                                                 "\" sa neda ulozit:\nFile too large"),
                 qPrintable(asker->boxes[0].text));
        QCOMPARE(read(path("plny.pln")), kWorkedExample);
        QVERIFY(flag());
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"plny.pln"});
    }
};

PLATNOVNIK_TEST_MAIN(TstOpenAndSave, unusedAsker)
#include "tst_openandsave.moc"
