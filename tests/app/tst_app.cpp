// The main window with its dialogs: the commands, their prompts, and Open and Save.
#include "app/MainForm.h"
#include "dialogs/About.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"
#include "tests/WindowTest.h"
#include "toolkit/Application.h"
#include "toolkit/CodePage.h"
#include "toolkit/ScreenPlacement.h"

#include <QtWidgets>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Answers from queues (by default OK, and no file) and keeps each box as text|caption+flags.
struct FakeAsker : Asker {
    QStringList boxes, files;
    QList<int> answers;
    int messageBox(QWidget *, const QString &text, const QString &caption, int flags) override
    {
        boxes << text + '|' + caption + QString::number(flags, 16);
        return answers.isEmpty() ? Box::ResultOk : answers.takeFirst();
    }
    QString fileName(QWidget *, const FileQuestion &) override
    {
        return files.isEmpty() ? "" : files.takeFirst();
    }
};

const QByteArray kWorkedExample =
    "2Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|Name CD |Autor CD|"
    "Typ CD |01012003|Nedefinovane|Nedefinovane|31122100|Ranna|Vecer|Dazd|More|Cesta|Domov|"
    "Leto|Zima|Noc|Koniec|Piesne 2003|Kapela|audio|15.03.2003|Peter|Kovac|31.03.2003|";

QString names()
{
    QStringList out;
    const ZaznamCD *zaznam = Zoznam.Prvy;
    for (int i = 0; i < Zoznam.PocetCd; ++i, zaznam = zaznam->Dalsi)
        out << CodePage::toQString(zaznam->NazovCD());
    return out.join(',');
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "(missing)";
}

} // namespace

class TstApp : public QObject {
    Q_OBJECT

    FakeAsker asker;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<QTemporaryDir> dir;

    QAction *action(const char *name) { return form->findChild<QAction *>(name); }
    bool flag() { return action("Save")->isEnabled(); }
    QLabel *count() { return form->findChild<QLabel *>("LabelPocetCd"); }
    QString path(const QString &name) { return name.startsWith('/') ? name : dir->filePath(name); }
    QStringList files() { return QDir(dir->path()).entryList(QDir::Files); }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    // Three records, the state every failure must leave alone.
    void threeRecords(bool unsaved)
    {
        for (const char *nazov : {"Prvy", "Druhy", "Treti"}) {
            Zoznam.PripojZaznam(new ZaznamCD);
            Zoznam.Aktualny->setNazovCD(nazov);
        }
        action("Save")->setEnabled(unsaved);
    }

  private slots:
    void init()
    {
        asker = FakeAsker();
        form = std::make_unique<TMainForm>(nullptr, &asker);
        dir = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        form.reset();
        Zoznam.VymazVsetky();
    }

    // Only a completed load replaces the records; a save that writes nothing keeps the flag
    // on and an old file whole, with nothing left beside it.
    void openAndFailedSave_data()
    {
        QTest::addColumn<bool>("changes");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("bytes"); // what the file holds before, if it is there
        for (const char *column : {"command", "file", "said", "setup", "names", "count"})
            QTest::addColumn<QString>(column);
        const auto row = [](const char *name, bool changes, int answer, const char *file,
                            const QByteArray &bytes = {}, const char *said = "",
                            const char *setup = "", const char *names = "Prvy,Druhy,Treti",
                            const char *count = "0") {
            QTest::newRow(name) << changes << answer << bytes << QString(name).left(4) << file
                                << said << setup << names << count;
        };
        row("Open, nothing unsaved: no question, dialog cancelled", false, 0, "");
        row("Open, unsaved, OK, dialog cancelled", true, 1, "");
        row("Open, unsaved, Cancel: no dialog", true, 2, "");
        row("Open the worked example", true, 1, "a.pln", kWorkedExample, "", "",
            "Name CD ,Piesne 2003", "2");
        row("Open no records", false, 0, "a.pln", "0", "", "", "", "0");
        row("Open the sample database, Windows-1250", false, 0, PLATNOVNIK_SAMPLE, {}, "", "",
            "Piesne 2003,Zlaté hity,Štyri ročné obdobia,Cesta", "4");
        row("Open a file cut off in the second record", true, 1, "a.pln", kWorkedExample.left(200),
            "Zaznam 2\\D.*\\b200\\b");
        row("Open a missing file", true, 1, "chyba.pln", {}, ".");
        row("Open a missing file, nothing unsaved", false, 0, "chyba.pln", {}, ".");
        row("Open a file that opens, but every read fails", true, 1, "/proc/self/mem", {}, ".");
        row("Save, dialog cancelled", true, 0, "");
        row("Save a text \"0\", Cancel to the warning", true, 2, "a.pln", {}, "Zaznam 2\\D",
            "loss");
        row("Save to a device", true, 1, "/dev/full", {}, ".");
        row("Save into a folder that is gone", true, 1, "gone/a.pln", {}, ".");
        row("Save into a folder nobody may write", true, 1, "/sys/a.pln", {}, ".");
        row("Save over an old file, the disk full", true, 1, "a.pln", kWorkedExample, ".", "full");
        row("Save over an old file, no backup", true, 1, "a.pln", kWorkedExample, ".", "backup");
    }

    void openAndFailedSave()
    {
        QFETCH(bool, changes);
        QFETCH(int, answer);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QString, said);
        QFETCH(QString, setup);
        if (file.startsWith("/sys") && QFile(file).open(QIODevice::WriteOnly))
            QSKIP("this folder is writable here");
        threeRecords(changes);
        if (!bytes.isNull())
            write(file, bytes);
        QVERIFY(setup != "backup" || QDir(dir->path()).mkdir(file + '~'));
        if (setup == "loss")
            Zoznam.Prvy->Dalsi->setMeno("0");
        asker.answers << answer;
        asker.files << (file.isEmpty() ? "" : path(file)) << "not asked";
        rlimit old{}; // "full": files of at most 300 bytes, as a full disk would allow
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{setup == "full" ? 300 : old.rlim_cur, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        action(command.toLatin1())->trigger();
        setrlimit(RLIMIT_FSIZE, &old);
        const bool asked = command == "Open" && changes;
        QCOMPARE(asker.boxes.size(), int(asked) + int(!said.isEmpty()));
        QVERIFY(!asked ||
                asker.boxes[0] == "Nemas ulozene vytvorene polozky!\nPokracovat?|Pozor!31");
        // A failure is reported, naming the file, in the program's words where they are given.
        const QString report = asker.boxes.value(asker.boxes.size() - 1);
        QVERIFY2(said.isEmpty() ||
                     (report.contains('"' + path(file) + '"') &&
                      report.contains(QRegularExpression(said)) && report.contains("|Pozor!3")),
                 qPrintable(report));
        QCOMPARE(asker.files.size(), 1 + int(command == "Open" && answer == 2));
        QTEST(names(), "names");
        QTEST(count()->text(), "count");
        QCOMPARE(flag(), changes && (file.isEmpty() || !said.isEmpty()));
        QCOMPARE(files(),
                 bytes.isNull() || file.startsWith('/') ? QStringList{} : QStringList{file});
        QVERIFY(bytes.isNull() || read(path(file)) == bytes);
        QVERIFY(!QFileInfo("/dev/full").isFile());
    }

    // The worked example loaded and saved comes out byte for byte; saved again over it, with
    // a loss warned of and accepted, the old file stays as a backup with its permissions.
    void saveWritesTheFormatAndKeepsThePreviousVersion()
    {
        write("a.pln", kWorkedExample);
        asker.files << path("a.pln") << path("b.pln") << path("b.pln");
        action("Open")->trigger();
        action("Save")->setEnabled(true);
        action("Save")->trigger();
        QCOMPARE(read(path("b.pln")), kWorkedExample);
        QVERIFY(QFile::setPermissions(path("b.pln"), QFile::ReadOwner | QFile::WriteOwner));
        const QFile::Permissions mode = QFile::permissions(path("b.pln"));
        const auto inode = [&](const char *name) {
            struct stat s {};
            return stat(QFile::encodeName(path(name)).constData(), &s) == 0 ? s.st_ino : 0;
        };
        const ino_t old = inode("b.pln");
        Zoznam.Prvy->setMeno("0");
        action("Save")->setEnabled(true);
        action("Save")->trigger();
        QCOMPARE(inode("b.pln~"), old); // the old file itself under a second name, not a copy
        QCOMPARE(asker.boxes.size(), 1);
        QVERIFY(!flag());
        QCOMPARE(read(path("b.pln~")), kWorkedExample);
        QCOMPARE(files(), (QStringList{"a.pln", "b.pln", "b.pln~"}));
        QCOMPARE(QFile::permissions(path("b.pln")) | QFile::permissions(path("b.pln~")), mode);
        QVERIFY(read(path("b.pln")).contains("|0|"));
    }

    // Each command over three records: the window it shows (closed by its close box or the
    // button named), what it asks, whether the program ends, the flag and count it leaves.
    void commands_data()
    {
        for (const char *column : {"item", "window", "button", "label", "asks"})
            QTest::addColumn<QString>(column);
        for (const char *column : {"before", "after", "ends"})
            QTest::addColumn<bool>(column);
        QTest::addColumn<int>("answer");
        const auto row = [](const QByteArray &name, const char *item, bool before, bool after,
                            const char *window = "", const char *count = "0",
                            const char *button = "", const char *asks = "", int answer = 1,
                            bool ends = false) {
            QTest::newRow(name.constData())
                << item << window << button << count << asks << before << after << ends << answer;
        };
        const char *open = "Nemas ulozene vytvorene polozky!\nPokracovat?|Pozor!31";
        const char *end = "Nemas Ulozene data! \nChces naozaj skoncit?|Pozor!31";
        row("start-up: off", "", false, false);
        row("entry dialog closed: on, count shown", "PridajZaznamCD1", false, true, "TFormZadajCd",
            "3");
        row("entry dialog, Uloz: one more", "PridajZaznamCD1", false, true, "TFormZadajCd", "4",
            "UlozBtn");
        row("sort: on", "Triedenie1", false, true);
        row("completed open: off", "Open", true, false, "", "1", "", open);
        row("completed save: off", "Save", true, false);
        row("listing: off stays off", "Vypispoziciek1", false, false, "TVypisForm");
        row("listing: on stays on", "Vypispoziciek1", true, true, "TVypisForm");
        row("sort settings", "Vybertriedenia1", true, true, "TFormTried");
        row("search", "Vyhladanie1", false, false, "THladanieForm");
        row("search settings", "NastavenieVyhladavania1", true, true, "TFormVyhladaj");
        row("about", "Oprograme1", false, false, "TAboutForm");
        for (const QByteArray item : {"End1", "close"}) {
            row(item + ", nothing unsaved: ends", item, false, false, "", "0", "", "", 1, true);
            row(item + ", unsaved, OK: ends", item, true, true, "", "0", "", end, 1, true);
            row(item + ", unsaved, Cancel: stays", item, true, true, "", "0", "", end, 2, false);
        }
    }

    void commands()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(QString, label);
        QFETCH(bool, before);
        QFETCH(bool, ends);
        QFETCH(int, answer);
        form->show();
        threeRecords(before);
        write("a.pln", "1a|b|c|d|e|f|g|h|i|j|N|A|T|D|M|P|V|");
        asker.files << path(item == "Open" ? "a.pln" : "b.pln");
        asker.answers << answer;
        const int topLevels = QApplication::topLevelWidgets().size();
        QString seen;
        if (!window.isEmpty())
            whenModal([&](QWidget *modal) {
                seen = modal->metaObject()->className();
                button.isEmpty() ? void(modal->close())
                                 : modal->findChild<QPushButton *>(button)->click();
            });
        QSignalSpy terminate(form.get(), &TMainForm::terminateRequested);
        if (!item.isEmpty())
            item == "close" ? void(form->close()) : action(item.toLatin1())->trigger();
        QCOMPARE(seen, window);
        QTEST(asker.boxes.join(""), "asks");
        QCOMPARE(terminate.size(), int(ends));
        QCOMPARE(form->isVisible(), !(ends && item == "close"));
        QTEST(flag(), "after");
        QCOMPARE(count()->text(), label);
        QCOMPARE(Zoznam.PocetCd, label == "0" ? 3 : label.toInt());
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevels); // made for one showing
        QVERIFY(!VypisForm);
    }

    // The real box answers Cancel to Escape and its close box, where it has a Cancel button.
    void messageBox()
    {
        // clang-format off
        for (auto [flags, key, result] : {std::tuple{0x31, int(Qt::Key_Escape), 2}, {0x31, 0, 2},
                                          {0x31, Qt::Key_Return, 1}, {0x30, Qt::Key_Escape, 1}}) {
            // clang-format on
            whenModal([key = key](QWidget *box) { // no key: the close box
                key ? QTest::keyClick(box, Qt::Key(key)) : void(box->close());
            });
            QCOMPARE(QtAsker().messageBox(nullptr, "?", "Pozor!", flags), result);
        }
    }

    // Where windows open: where designed when they fit there, else moved the least distance
    // into the screen's free area, or to its top-left when too large.
    void placementRule()
    {
        const QRect window(200, 300, 600, 400); // ends at 799,699
        const struct {
            const char *name;
            QRect area;
            QPoint place;
        } rows[] = {
            {"fits to the pixel: stays", {200, 300, 600, 400}, {200, 300}},
            {"out at the right and bottom: moved in", {0, 0, 640, 512}, {40, 112}},
            {"out at the left and top: moved in", {250, 320, 800, 600}, {250, 320}},
            {"wider only: at the left edge, moved up", {0, 0, 500, 600}, {0, 200}},
            {"larger: at the top-left corner", {10, 20, 599, 399}, {10, 20}},
        };
        for (const auto &row : rows)
            QVERIFY2(placeOnScreen(window, row.area) == row.place, row.name);
    }

    // The default offscreen screen, 800 x 800, is too narrow for where these were designed.
    void windowsOpenOnTheScreen()
    {
        TMainForm main;
        ZoznamCD zoznam;
        TFormZadajCd zadaj(nullptr, zoznam);
        for (QWidget *window : {static_cast<QWidget *>(&main), static_cast<QWidget *>(&zadaj)}) {
            window->show();
            const QRect area = window->screen()->availableGeometry();
            QVERIFY2(area.contains(window->frameGeometry()), window->metaObject()->className());
        }
    }
};

int main(int argc, char *argv[])
{
    FakeAsker unused;
    Application app(argc, argv, unused);
    app.Initialize();
    std::signal(SIGXFSZ, SIG_IGN); // a write beyond the size limit fails, the test goes on
    app.CreateForm(FormZadajCd);
    app.CreateForm(AboutForm);
    app.CreateForm(FormTried);
    app.CreateForm(FormVyhladaj);
    TstApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app.moc"
