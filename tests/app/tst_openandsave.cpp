// Open and Save through the main window: only a completed load replaces the collection,
// every failure is reported with the file's name, and a save never leaves a broken file.
#include "AppTest.h"

#include "toolkit/CodePage.h"
#include "app/DatabaseFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
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
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Limits the size of files this process writes, as a full disk would, until it goes; 0 leaves
// the limit as it is.
struct FileSizeLimit {
    rlimit old{};
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN); // the write fails, we live on
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = bytes ? bytes : limit.rlim_cur;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
    }
};

} // namespace

class TstOpenAndSave : public QObject, FormFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString &name) { return name.startsWith('/') ? name : dir->filePath(name); }
    QStringList files() { return QDir(dir->path()).entryList(QDir::Files); }

    // Three unsaved records on screen, the state every failure must leave alone.
    void threeUnsavedRecords()
    {
        for (const char *nazov : {"Prvy", "Druhy", "Treti"})
            addRecord(nazov);
        action("Save")->setEnabled(true);
        countLabel()->setText("3");
    }

  private slots:
    void init()
    {
        setUp();
        dir = std::make_unique<QTemporaryDir>();
    }

    void cleanup() { tearDown(); }

    // The open prompt, the dialog (cancelled when no file is chosen), the load and its report.
    void open_data()
    {
        for (const char *column : {"file", "names", "count", "said"})
            QTest::addColumn<QString>(column);
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("changes");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("flag");
        const auto row = [](const char *name, bool changes, int answer, const char *file,
                            const QByteArray &bytes, const char *names, const char *count,
                            bool flag, const char *said = "") {
            QTest::newRow(name) << file << names << count << said << bytes << changes << answer
                                << flag;
        };
        const char *unchanged = "Prvy,Druhy,Treti";
        row("nothing unsaved: no question, dialog cancelled", false, 0, "", {}, unchanged, "3",
            false);
        row("unsaved, OK, dialog cancelled: nothing changes", true, 1, "", {}, unchanged, "3",
            true);
        row("unsaved, Cancel: no dialog", true, 2, "", {}, unchanged, "3", true);
        row("worked example replaces the list", true, 1, "a.pln", kWorkedExample,
            "Name CD ,Piesne 2003", "2", false);
        row("no records", false, 0, "a.pln", "0", "", "0", false);
        row("sample database, Windows-1250", false, 0, PLATNOVNIK_SAMPLE, {},
            "Piesne 2003,Zlaté hity,Štyri ročné obdobia,Cesta", "4", false);
        row("cut off in the second record", true, 1, "a.pln", kWorkedExample.left(200), unchanged,
            "3", true, "Zaznam 2 (bajt 200): subor konci skor, ako zaznam skonci.");
        row("an item \"0\"", true, 1, "a.pln", "1a|b|c|d|e|f|g|h|i|j|0|", unchanged, "3", true,
            "Zaznam 1 (bajt 21): polozka \"0\" znamena koniec");
        row("missing file", true, 1, "chyba.pln", {}, unchanged, "3", true,
            "sa neda otvorit:\nNo such file or directory");
        row("a folder", true, 1, "priecinok", {}, unchanged, "3", true,
            "sa neda otvorit:\nnie je to obycajny subor");
        // Opens, but every read fails, even for root.
        row("unreadable", true, 1, "/proc/self/mem", {}, unchanged, "3", true,
            "sa neda precitat:\n");
    }

    void open()
    {
        QFETCH(QString, file);
        QFETCH(QString, names);
        QFETCH(QString, count);
        QFETCH(QString, said);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, changes);
        QFETCH(int, answer);
        QFETCH(bool, flag);
        threeUnsavedRecords();
        action("Save")->setEnabled(changes);
        asker->answers << answer;
        if (!bytes.isNull())
            write(path(file), bytes);
        QVERIFY(file != "priecinok" || QDir(dir->path()).mkdir(file));
        asker->files << (file.isEmpty() ? "" : path(file));
        action("Open")->trigger();
        QCOMPARE(asker->boxes.size(), int(changes) + int(!said.isEmpty()));
        if (changes) {
            QCOMPARE(asker->boxes[0].text,
                     QString("Nemas ulozene vytvorene polozky!\nPokracovat?"));
            QCOMPARE(asker->boxes[0].caption, QString("Pozor!"));
            QCOMPARE(asker->boxes[0].flags, 0x31);
        }
        if (!said.isEmpty()) {
            const FakeAsker::Shown &report = asker->boxes.last();
            QVERIFY2(report.text.contains('"' + path(file) + '"') && report.text.contains(said),
                     qPrintable(report.text));
            QCOMPARE(report.caption + QString::number(report.flags, 16), QString("Pozor!30"));
        }
        QCOMPARE(asker->questions.size(), int(answer != 2));
        QCOMPARE(CodePage::toQString(::names()), names);
        QCOMPARE(this->count(), count);
        QCOMPARE(this->flag(), flag);
    }

    void saveWritesTheFormatAndKeepsThePreviousVersion()
    {
        addRecord("Prvy");
        addRecord("Druhy");
        action("Save")->setEnabled(true);
        asker->files << path("zbierka.pln");
        action("Save")->trigger();
        StringSink first;
        QVERIFY(UlozDatabazu(first, Zoznam));
        QCOMPARE(read(path("zbierka.pln")), QByteArray::fromStdString(first.bytes));
        QCOMPARE(files(), QStringList{"zbierka.pln"}); // a new file has nothing to back up
        QVERIFY(!flag());
        QVERIFY(asker->boxes.isEmpty());
        QCOMPARE(asker->questions[0].filter + asker->questions[0].defaultSuffix,
                 QString("Platnovnik (*.pln)pln"));

        // Saved again: the backup is the first save, with the old file's permissions, and no
        // temporary file is left behind.
        QVERIFY(QFile::setPermissions(path("zbierka.pln"), QFile::ReadOwner | QFile::WriteOwner));
        const QFile::Permissions private_ = QFile::permissions(path("zbierka.pln"));
        addRecord("Treti");
        action("Save")->setEnabled(true);
        asker->files << path("zbierka.pln");
        action("Save")->trigger();
        QCOMPARE(read(path("zbierka.pln~")), QByteArray::fromStdString(first.bytes));
        QCOMPARE(files(), (QStringList{"zbierka.pln", "zbierka.pln~"}));
        QCOMPARE(QFile::permissions(path("zbierka.pln")), private_);
        QCOMPARE(QFile::permissions(path("zbierka.pln~")), private_);
        asker->files << path("zbierka.pln");
        action("Open")->trigger();
        QCOMPARE(names(), std::string("Prvy,Druhy,Treti"));

        // Warned of a loss and answered OK, it writes the format's bytes all the same.
        Zoznam.Prvy->setMeno("0");
        action("Save")->setEnabled(true);
        asker->files << path("zbierka.pln");
        action("Save")->trigger();
        StringSink lossy;
        QVERIFY(UlozDatabazu(lossy, Zoznam));
        QCOMPARE(read(path("zbierka.pln")), QByteArray::fromStdString(lossy.bytes));
        QCOMPARE(asker->boxes.size(), 1);
        QVERIFY(!flag());
    }

    // A save that writes nothing keeps the flag on and an old file whole, with nothing left
    // beside it.
    void saveThatStops_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("sizeLimit");
        QTest::addColumn<QString>("meno");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("said");
        const auto row = [](const char *name, const char *file, int sizeLimit, const char *meno,
                            int answer, const char *said) {
            QTest::newRow(name) << file << sizeLimit << meno << answer << said;
        };
        row("dialog cancelled: nothing said", "", 0, "Jan", 0, "");
        row("a text \"0\", Cancel", "a.pln", 0, "0", 2, "Zaznam 4, pole Meno je len \"0\".");
        row("a bar in a text, Cancel", "a.pln", 0, "A|B", 2,
            "Zaznam 4, pole Meno obsahuje znak \"|\".");
        row("a device", "/dev/full", 0, "Jan", 0, "sa neda ulozit:\nnie je to obycajny subor");
        row("a folder that is gone", "gone/a.pln", 0, "Jan", 0,
            "sa neda ulozit:\nNo such file or directory");
        row("a folder nobody may write", "/sys/a.pln", 0, "Jan", 0,
            "sa neda ulozit:\nPermission denied");
        row("disk full over an old file", "a.pln", 1000, "Jan", 0,
            "sa neda ulozit:\nFile too large");
    }

    void saveThatStops()
    {
        QFETCH(QString, file);
        QFETCH(int, sizeLimit);
        QFETCH(QString, meno);
        QFETCH(int, answer);
        QFETCH(QString, said);
        if (file.startsWith("/sys") && QFile(file).open(QIODevice::WriteOnly))
            QSKIP("this folder is writable here");
        threeUnsavedRecords();
        addRecord("Stvrty", meno.toStdString());
        for (int i = 0; i < 100; ++i)
            addRecord("Album");
        if (sizeLimit)
            write(path(file), kWorkedExample);
        asker->answers << answer;
        asker->files << (file.isEmpty() ? "" : path(file));
        {
            const FileSizeLimit limit(sizeLimit);
            action("Save")->trigger();
        }
        QCOMPARE(asker->boxes.size(), int(!said.isEmpty()));
        QVERIFY2(said.isEmpty() || (asker->boxes[0].text.contains(said) &&
                                    asker->boxes[0].text.contains('"' + path(file) + '"')),
                 qPrintable(asker->boxes.value(0).text));
        QVERIFY(flag());
        QCOMPARE(files(), sizeLimit ? QStringList{file} : QStringList{});
        QVERIFY(!sizeLimit || read(path(file)) == kWorkedExample);
        struct stat info {};
        QVERIFY(stat("/dev/full", &info) == 0 && S_ISCHR(info.st_mode));
    }
};

PLATNOVNIK_TEST_MAIN(TstOpenAndSave, unusedAsker)
#include "tst_openandsave.moc"
