// The main window with its dialogs: the commands, their prompts, and Open and Save.
#include "app/MainForm.h"
#include "dialogs/About.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"
#include "tests/SystemFaults.h"
#include "tests/WindowTest.h"
#include "toolkit/Application.h"
#include "toolkit/CodePage.h"
#include "toolkit/ScreenPlacement.h"

#include <QtWidgets>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Answers from queues (by default OK, and no file) and keeps each box as text|caption+flags,
// each file question as its kind, filter, default suffix and its answer to closing.
struct FakeAsker : Asker {
    QStringList boxes, files, questions;
    QList<int> answers;
    int messageBox(QWidget *, const QString &text, const QString &caption, int flags) override
    {
        boxes << text + '|' + caption + QString::number(flags, 16);
        return answers.isEmpty() ? Box::ResultOk : answers.takeFirst();
    }
    QString fileName(QWidget *, const FileQuestion &q) override
    {
        const QString name = files.isEmpty() ? "" : files.takeFirst();
        questions << (q.kind == FileQuestion::Kind::Save ? "Save " : "Open ") + q.filter + " ." +
                         q.defaultSuffix +
                         (q.canClose ? q.canClose(name) ? " closes" : " stays open" : "");
        return name;
    }
};

// The three records of threeRecords(), as a save writes them.
const QByteArray kThreeRecords = [] {
    QByteArray out = "3";
    for (const char *nazov : {"Prvy", "Druhy", "Treti"})
        out +=
            QByteArray("Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|") +
            nazov + "|Autor CD|Typ CD |01012003|Nedefinovane|Nedefinovane|31122100|";
    return out;
}();

const QByteArray kWorkedExample =
    "2Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|Name CD |Autor CD|"
    "Typ CD |01012003|Nedefinovane|Nedefinovane|31122100|Ranna|Vecer|Dazd|More|Cesta|Domov|"
    "Leto|Zima|Noc|Koniec|Piesne 2003|Kapela|audio|15.03.2003|Peter|Kovac|31.03.2003|";

QString names()
{
    QStringList out;
    const ZaznamCD *zaznam = Zoznam.Prvy;
    for (int i = 0; i < Zoznam.PocetCd; ++i, zaznam = zaznam->Dalsi)
        out << CodePage::toQString(std::string(zaznam->NazovCD())); // a copy the sanitizer sees
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

    // Every name under the test's folder, hidden ones too, with what it holds: a file's bytes
    // and permissions, a link's target, or a mark for a folder or a pipe.
    QMap<QString, QByteArray> folder()
    {
        QMap<QString, QByteArray> out;
        QDirIterator it(dir->path(),
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            QByteArray &entry = out[QDir(dir->path()).relativeFilePath(info.filePath())];
            if (info.isSymLink())
                entry = "-> " + info.symLinkTarget().toUtf8();
            else if (!info.isFile())
                entry = info.isDir() ? "(folder)" : "(special)";
            else
                entry = read(info.filePath()) + " mode " +
                        QByteArray::number(statOf(info.filePath()).st_mode & 07777, 8);
        }
        return out;
    }

    static struct stat statOf(const QString &name)
    {
        struct stat s {};
        lstat(QFile::encodeName(name).constData(), &s);
        return s;
    }

    // The last message box is a warning that matches `report` in full, "%1" standing for the
    // quoted `file` and "%2" for its backup's name; a question has OK and Cancel.
    bool reportMatches(QString report, const QString &file)
    {
        const auto quoted = [&](const QString &name) {
            return QRegularExpression::escape('"' + path(name) + '"');
        };
        report.replace("%2", quoted(file + '~')).replace("%1", quoted(file));
        const QString box = asker.boxes.value(asker.boxes.size() - 1);
        const qsizetype bar = box.lastIndexOf('|');
        return box.mid(bar) == (report.endsWith("\\?$") ? "|Pozor!31" : "|Pozor!30") &&
               QRegularExpression(report).match(box.left(bar)).hasMatch();
    }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    // The disk that the words of a row's setup describe.
    static SystemFaults::Faults faultsOf(const QString &setup)
    {
        auto faults =
            setup.contains("vfat") ? SystemFaults::Faults::vfat() : SystemFaults::Faults();
        const QStringList words = setup.split(' ');
        const auto on = [&](const char *w, int error) { return words.contains(w) ? error : 0; };
        std::tie(faults.fileSync, faults.syncsFirst, faults.rename, faults.backupRename) =
            std::tuple(on("sync", EIO) | on("copysync", EIO), on("copysync", 1), on("rename", EIO),
                       on("backuprename", EIO));
        std::tie(faults.folderSync, faults.write, faults.writeAtMost) = std::tuple(
            on("foldersync", EIO) | on("nofoldersync", EINVAL), on("full", ENOSPC), on("short", 7));
        faults.link = setup.contains("links") ? EMLINK : faults.link;
        return faults;
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

    // Every failure, and every Open, leaves the folder as it was: an old file and its backup
    // byte for byte, nothing beside them. Only a completed load replaces the records. Each
    // report is the program's own, of its kind, naming the file ("%1" in `report`).
    void openAndFailedSave_data()
    {
        QTest::addColumn<bool>("changes");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("bytes"); // what the file holds before, if it is there
        for (const char *column : {"command", "file", "report", "setup", "names", "count"})
            QTest::addColumn<QString>(column);
        const auto row = [](const char *name, bool changes, int answer, const char *file,
                            const QByteArray &bytes = {}, const QString &report = {},
                            const char *setup = "", const char *names = "Prvy,Druhy,Treti",
                            const char *count = "0") {
            QTest::newRow(name) << changes << answer << bytes << QString(name).left(4) << file
                                << report << setup << names << count;
        };
        const auto reason = [](int error) {
            return QRegularExpression::escape(QString::fromLocal8Bit(std::strerror(error)));
        };
        const QString cannotOpen = "^Subor %1 sa neda otvorit:\n",
                      cannotRead = "^Subor %1 sa neda precitat:\n.+$";
        const QString notDatabase = "^Subor %1 nie je databaza Platnovnika: na zaciatku chyba "
                                    "pocet zaznamov.\nNic sa nezmenilo.$";
        const QString cannotSave = "^Subor %1 sa neda ulozit:\n%2\nData zostali neulozene.$";
        const QString noBackup = cannotSave.arg("%1", "zalohu %2 sa nepodarilo ulozit: %3");
        const QString lossWarning = "^Zaznam 2, pole Meno je len \"0\".\nZo suboru %1 sa potom "
                                    "neda spravne nacitat.\nUlozit aj tak\\?$";
        QFile passwd("/etc/passwd");
        const QByteArray text = passwd.open(QIODevice::ReadOnly) ? passwd.readAll() : "root:x:0:0";
        const QByteArray picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
        // clang-format off
        row("Open, nothing unsaved: no question, dialog cancelled", false, 0, "");
        row("Open, unsaved, OK, dialog cancelled", true, 1, "");
        row("Open, unsaved, Cancel: no dialog", true, 2, "");
        row("Open the worked example", true, 1, "a.pln", kWorkedExample, "", "", "Name CD ,Piesne 2003", "2");
        row("Open no records", false, 0, "a.pln", "0", "", "", "", "0");
        row("Open the sample database, Windows-1250", false, 0, PLATNOVNIK_SAMPLE, {}, "", "", "Piesne 2003,Zlaté hity,Štyri ročné obdobia,Cesta", "4");
        row("Open a file cut off in the second record", true, 1, "a.pln", kWorkedExample.left(200), "^Subor %1 sa neda nacitat.\nZaznam 2 \\(bajt 200\\): subor konci skor, ako zaznam skonci.\nNic sa nezmenilo.$");
        row("Open a file with a negative count", true, 1, "a.pln", "-2" + kWorkedExample.mid(1), "^Subor %1 sa neda nacitat.\npocet zaznamov je zaporny.\nNic sa nezmenilo.$");
        row("Open a file with a count beyond 32 bits", true, 1, "a.pln", "4294967298" + kWorkedExample.mid(1), "^Subor %1 sa neda nacitat.\npocet zaznamov je prilis velky.\nNic sa nezmenilo.$");
        row("Open a file with a text \"0\"", true, 1, "a.pln", QByteArray(kWorkedExample).replace("|Nedefinovane|N", "|0|N"), "^Subor %1 sa neda nacitat.\nZaznam 1 \\(bajt 106\\): polozka \"0\" znamena koniec suboru.\nNic sa nezmenilo.$");
        row("Open a file with a NUL byte", true, 1, "a.pln", QByteArray(kWorkedExample).replace("Kapela", QByteArray("Kap\0la", 6)), "^Subor %1 sa neda nacitat.\nZaznam 2 \\(bajt 211\\): v texte je nulovy bajt.\nNic sa nezmenilo.$");
        row("Open a missing file", true, 1, "chyba.pln", {}, cannotOpen + reason(ENOENT) + "$");
        row("Open a folder", true, 1, "/tmp", {}, cannotOpen + "nie je to obycajny subor$");
        row("Open a file that opens, but every read fails", true, 1, "/proc/self/mem", {}, cannotRead);
        row("Open a copy of the password file", true, 1, "x.pln", text, notDatabase);
        row("Open a picture", false, 0, "x.pln", picture, notDatabase);
        row("Save, dialog cancelled", true, 0, "");
        row("Save a text \"0\", Cancel to the warning", true, 2, "a.pln", {}, lossWarning, "loss");
        row("Save a text \"0\" over an old file and its backup on vfat, Cancel", true, 2, "a.pln", kWorkedExample, lossWarning, "loss backup vfat");
        row("Save to a folder's name", true, 1, "/tmp/", {}, cannotSave.arg("%1", "nie je to obycajny subor"));
        row("Save to a pipe", true, 1, "pipe.pln", {}, cannotSave.arg("%1", "nie je to obycajny subor"), "pipe");
        row("Save into a folder that is gone", true, 1, "gone/a.pln", {}, cannotSave.arg("%1", reason(ENOENT)));
        row("Save over an old file, the disk full for a moment", true, 1, "a.pln", kWorkedExample, cannotSave.arg("%1", reason(ENOSPC)), "full");
        row("Save, the new file cannot be synced", true, 1, "a.pln", {}, cannotSave.arg("%1", reason(EIO)), "sync");
        row("Save over an old file and its backup, the new file cannot be synced", true, 1, "a.pln", kWorkedExample, cannotSave.arg("%1", reason(EIO)), "backup sync");
        row("Save on vfat, the new file cannot be synced", true, 1, "a.pln", kWorkedExample, cannotSave.arg("%1", reason(EIO)), "backup vfat sync");
        row("Save over an old file, a folder at the backup's name", true, 1, "a.pln", kWorkedExample, noBackup.arg("%1", "%2", reason(EISDIR)), "backupfolder");
        row("Save over an old file, the backup cannot be renamed", true, 1, "a.pln", kWorkedExample, noBackup.arg("%1", "%2", reason(EIO)), "backup backuprename");
        row("Save on vfat, the backup's copy cannot be synced", true, 1, "a.pln", kWorkedExample, noBackup.arg("%1", "%2", reason(EIO)), "backup vfat copysync");
        row("Save on vfat, the backup's copy cannot be renamed", true, 1, "a.pln", kWorkedExample, noBackup.arg("%1", "%2", reason(EIO)), "backup vfat backuprename");
        // clang-format on
    }

    void openAndFailedSave()
    {
        QFETCH(bool, changes);
        QFETCH(int, answer);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QString, report);
        QFETCH(QString, setup);
        threeRecords(changes);
        if (!bytes.isNull())
            write(file, bytes);
        if (setup.contains("backupfolder"))
            QVERIFY(QDir(dir->path()).mkdir(file + '~'));
        else if (setup.contains("backup"))
            write(file + '~', "the backup before");
        // Not a device such as /dev/full: a fault that wrote over it would harm the machine.
        QVERIFY(setup != "pipe" || mkfifo(qPrintable(path(file)), 0600) == 0);
        if (setup.contains("loss"))
            Zoznam.Prvy->Dalsi->setMeno("0");
        if (setup == "full") // the writer's buffer full before the last record, which it then holds
            for (ZaznamCD *zaznam : {Zoznam.Prvy, Zoznam.Aktualny})
                zaznam->setMeno(std::string(40'000, 'M'));
        const QMap<QString, QByteArray> before = folder();
        asker.answers << answer;
        asker.files << (file.isEmpty() ? "" : path(file)) << "not asked";
        {
            const SystemFaults::Scope scope(faultsOf(setup));
            action(command.toLatin1())->trigger();
        }
        const bool asked = command == "Open" && changes;
        QCOMPARE(asker.boxes.size(), int(asked) + int(!report.isEmpty()));
        QVERIFY2(report.isEmpty() || reportMatches(report, file),
                 qPrintable(asker.boxes.join("; ")));
        const QString question =
            command + " Platnovnik (*.pln) .pln" + (command == "Save" ? " closes" : "");
        QCOMPARE(asker.questions, asked && answer == 2 ? QStringList{} : QStringList{question});
        QTEST(names(), "names");
        QTEST(count()->text(), "count");
        QCOMPARE(flag(), changes && (file.isEmpty() || !report.isEmpty()));
        QCOMPARE(folder(), before);
    }

    // Every road to a backup ends with the new file in place and NAME.pln~ a plain file of its
    // own holding the previous version, with its permissions where the disk holds them; a
    // symbolic link at either name writes into no other file. Where it can, the backup is the
    // old file itself, else a copy: a file with too many names, a disk like vfat.
    void saveKeepsThePreviousVersion_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("disk");       // 0 all works, 1 too many links, 2 vfat
        QTest::addColumn<QString>("report"); // a report of its own kind, and Save left on
        const auto row = [](const char *name, const char *setup, const QString &report = {}) {
            for (int disk : {0, 1, 2})
                QTest::addRow("%s%s", name,
                              (const char *[]){"", ", too many links", ", vfat"}[disk])
                    << QString(setup) << disk << report;
        };
        const QString eio = QRegularExpression::escape(QString::fromLocal8Bit(strerror(EIO)));
        row("a new file", "new");
        row("over an old file", "");
        row("over an old file and its backup", "backup");
        row("a symbolic link at the backup's name", "backuplink");
        row("a symbolic link to the database at the backup's name", "backupself");
        row("a read-only backup", "readonly");
        row("the backup the same file as the old one", "same");
        row("the database a symbolic link", "link");
        row("the database a symbolic link to no file yet", "link new");
        row("a loss warned of, and saved as it is", "loss",
            "^Zaznam 1, pole Meno je len \"0\".\nZo suboru %1 sa potom neda spravne "
            "nacitat.\nUlozit aj tak\\?$");
        row("the folder cannot be synced", "foldersync",
            "^Subor %1 je zapisany, ale system nepotvrdil, ze je bezpecne na disku:\n" + eio +
                "\nPo vypadku napajania sa moze stratit. Ulozte ho znova.$");
        row("a file system that syncs no folder", "nofoldersync");
        row("writes taken a few bytes at a time, some interrupted", "short");
        row("the new file cannot take the old one's name", "rename",
            "^Subor %1 sa neda ulozit:\n" + eio + "\nData zostali neulozene.$");
    }

    void saveKeepsThePreviousVersion()
    {
        QFETCH(QString, setup);
        QFETCH(int, disk);
        QFETCH(QString, report);
        threeRecords(true);
        if (setup == "loss")
            Zoznam.Prvy->setMeno("0");
        const QByteArray old = kWorkedExample, other = "another file";
        // The file that a.pln names: itself, or the file its link points to.
        const bool linked = setup.startsWith("link");
        const QString real = linked ? "sub/b.pln" : "a.pln", backup = real + '~';
        QVERIFY(QDir(dir->path()).mkpath("sub"));
        write("sub/other.pln", other);
        if (!setup.contains("new")) {
            write(real, old);
            QVERIFY(chmod(qPrintable(path(real)), 02646) == 0); // as no umask would leave it
        }
        // A chain of two links, each relative to its folder.
        QVERIFY(!linked || (QFile::link("sub/c.pln", path("a.pln")) &&
                            QFile::link("b.pln", path("sub/c.pln"))));
        if (setup == "backup" || setup == "readonly")
            write(backup, "older");
        QVERIFY(setup != "readonly" || QFile::setPermissions(path(backup), QFile::ReadOwner));
        QVERIFY(setup != "backuplink" || QFile::link(path("sub/other.pln"), path(backup)));
        QVERIFY(setup != "backupself" || QFile::link(path(real), path(backup)));
        QVERIFY(setup != "same" || ::link(qPrintable(path(real)), qPrintable(path(backup))) == 0);
        const ino_t oldInode = statOf(path(real)).st_ino;
        asker.files << path("a.pln");
        {
            const SystemFaults::Scope scope(
                faultsOf(setup + (const char *[]){"", " links", " vfat"}[disk]));
            action("Save")->trigger();
        }
        QCOMPARE(asker.boxes.size(), int(!report.isEmpty()));
        QVERIFY2(report.isEmpty() || reportMatches(report, "a.pln"),
                 qPrintable(asker.boxes.join("; ")));
        QCOMPARE(flag(), !report.isEmpty() && setup != "loss");

        QStringList expected{"a.pln", "sub", "sub/other.pln"};
        if (linked)
            expected << real << "sub/c.pln";
        QByteArray saved = setup == "rename" ? old : kThreeRecords;
        if (setup == "loss")
            saved.replace(saved.indexOf("Nedefinovane"), 12, "0"); // the first record's Meno
        QCOMPARE(read(path(real)), saved);
        // A new file is as open as any other the user makes; vfat keeps no mode.
        const mode_t mode = setup.contains("new") ? statOf(path("sub/other.pln")).st_mode : 02646;
        QVERIFY(disk == 2 || (statOf(path(real)).st_mode & 07777) == (mode & 07777));
        if (!setup.contains("new")) {
            expected << backup;
            const struct stat kept = statOf(path(backup));
            QVERIFY(S_ISREG(kept.st_mode)); // a file of its own, not a link
            QCOMPARE(read(path(backup)), old);
            QVERIFY(disk == 2 || (kept.st_mode & 07777) == 02646);
            QCOMPARE(kept.st_ino == oldInode, disk == 0 || setup == "same");
        }
        QCOMPARE(QFileInfo(path("a.pln")).isSymLink(), linked);
        QCOMPARE(read(path("sub/other.pln")), other);
        expected.sort();
        QCOMPARE(folder().keys(), expected);
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
        // clang-format off
        row("start-up: off", "", false, false);
        row("entry dialog closed: on, count shown", "PridajZaznamCD1", false, true, "TFormZadajCd", "3");
        row("entry dialog, Uloz: one more", "PridajZaznamCD1", false, true, "TFormZadajCd", "4", "UlozBtn");
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
        // clang-format on
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
        // Entering a table tells of its current cell: the listing's blank row, the first hit.
        const BridgeLog bridge;
        const QString cell = window == "TVypisForm" ? "Prazdny riadok. " : "01012003. ";
        QString seen, entered = cell;
        if (!window.isEmpty())
            whenModal([&](QWidget *modal) {
                seen = modal->metaObject()->className();
                if (auto *table = modal->findChild<QTableView *>(); table && bridge.on) {
                    table->setFocus(Qt::TabFocusReason);
                    (void)QTest::qWaitFor([&] { return (entered = bridge.last) == cell; });
                }
                button.isEmpty() ? void(modal->close())
                                 : modal->findChild<QPushButton *>(button)->click();
            });
        QSignalSpy terminate(form.get(), &TMainForm::terminateRequested);
        // As after a file dialog, Qt Widgets may have lost the activation.
        if (bridge.on && item == "Triedenie1" && QTest::qWaitForWindowActive(form.get()))
            QApplication::setActiveWindow(nullptr);
        if (!item.isEmpty())
            item == "close" ? void(form->close()) : action(item.toLatin1())->trigger();
        QCOMPARE(seen, window);
        QCOMPARE(entered, cell);
        QTEST(asker.boxes.join(""), "asks");
        QCOMPARE(terminate.size(), int(ends));
        QCOMPARE(form->isVisible(), !(ends && item == "close"));
        QTEST(flag(), "after");
        QCOMPARE(Zoznam.PocetCd, label == "0" ? 3 : label.toInt());
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevels); // made for one showing
        QVERIFY(!VypisForm);
        // Each box and the bar: a name of its own (a label's beside a box), the count, the key.
        const QString described = "Pocet Zaznamov CD: " + label +
                                  (item == "Triedenie1" ? ", zoradene podla: Datum pozicania" : "");
        QStringList names;
        for (QWidget *box :
             form->findChildren<QWidget *>(QRegularExpression("^(ComboBox|Edit.|ProgressBar)$"))) {
            names << QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
            QCOMPARE(box->accessibleDescription(), described);
        }
        QCOMPARE(names.join(','), "Zoznam bez funkcie,Pole 1 bez funkcie,Pole 2 bez funkcie,Pole 3 "
                                  "bez funkcie,Datum Pozicane,Meno,Priezvisko,Datum Vratenie,"
                                  "Priebeh triedenia");
        if (bridge.on && form->isVisible() && !item.isEmpty())
            QTRY_COMPARE(bridge.last, "Zoznam bez funkcie. " + described);
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
        // clang-format off
        for (const auto &[area, place] : {std::pair{QRect(200, 300, 600, 400), QPoint(200, 300)}, // fits: stays
                 {{0, 0, 640, 512}, {40, 112}},      // out at the right and bottom: moved in
                 {{250, 320, 800, 600}, {250, 320}}, // out at the left and top: moved in
                 {{0, 0, 500, 600}, {0, 200}},       // wider only: at the left edge, moved up
                 {{10, 20, 599, 399}, {10, 20}}})    // larger: at the top-left corner
            QCOMPARE(placeOnScreen(window, area), place);
        // clang-format on
    }
};

int main(int argc, char *argv[])
{
    FakeAsker unused;
    Application app(argc, argv, unused);
    app.Initialize();
    app.CreateForm(FormZadajCd);
    app.CreateForm(AboutForm);
    app.CreateForm(FormTried);
    app.CreateForm(FormVyhladaj);
    TstApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app.moc"
