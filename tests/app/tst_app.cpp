// The main window with its dialogs: the commands, their prompts, and Open and Save.
#include "app/MainForm.h"
#include "dialogs/About.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"
#include "storage/Databaza.h"
#include "tests/SystemFaults.h"
#include "tests/WindowTest.h"
#include "toolkit/Application.h"
#include "toolkit/CodePage.h"
#include "toolkit/ScreenPlacement.h"

#include <QtWidgets>

#include <cerrno>
#include <cstring>

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

    QByteArray read(const QString &name)
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "(missing)";
    }

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

    // Open and Save, one after another over three records, each Save after a change. What each
    // asks and reports, in the program's words naming the file ("%1" in `boxes`, "%2" its
    // backup); the records and count they leave, and the flag. Every failure, every Open and
    // every cancel leaves a.pln and a.pln~ as they were; with "saves", each Save puts the
    // collection in a.pln and keeps what was there as a.pln~ (the rest: tst_databaza).
    void openAndSave_data()
    {
        for (const char *column : {"answers", "steps", "setup", "names", "count"})
            QTest::addColumn<QString>(column);
        QTest::addColumn<bool>("changes");
        QTest::addColumn<QByteArray>("bytes"); // what the first step's file holds, if it is there
        QTest::addColumn<QStringList>("boxes");
        const auto row = [](const char *name, bool changes, const char *answers, const char *steps,
                            const QByteArray &bytes = {}, const QStringList &boxes = {},
                            const char *setup = "", const char *names = "Prvy,Druhy,Treti",
                            const char *count = "0") {
            QTest::newRow(name) << answers << steps << setup << names << count << changes << bytes
                                << boxes;
        };
        const auto reason = [](int error) {
            return QRegularExpression::escape(QString::fromLocal8Bit(std::strerror(error)));
        };
        // A question has OK and Cancel; a report, OK alone.
        const auto question = [](const QString &text) { return "^" + text + "\\|Pozor!31$"; };
        const auto report = [](const QString &text) { return "^" + text + "\\|Pozor!30$"; };
        const QString cannotOpen = "Subor %1 sa neda otvorit:\n",
                      cannotRead = "Subor %1 sa neda precitat:\n.+";
        const QString notDatabase = report("Subor %1 nie je databaza Platnovnika: na zaciatku "
                                           "chyba pocet zaznamov.\nNic sa nezmenilo.");
        const QString cannotSave = "Subor %1 sa neda ulozit:\n%2\nData zostali neulozene.";
        const QString loss = question("Zaznam 1, pole Meno je len \"0\".\nZo suboru %1 sa potom "
                                      "neda spravne nacitat.\nUlozit aj tak\\?");
        const QString guard = question("Nemas ulozene vytvorene polozky!\nPokracovat\\?");
        QFile passwd("/etc/passwd");
        const QByteArray text = passwd.open(QIODevice::ReadOnly) ? passwd.readAll() : "root:x:0:0";
        const QByteArray picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
        // clang-format off
        row("Open, nothing unsaved: no question, dialog cancelled", false, "", "Open");
        row("Open, unsaved, OK, dialog cancelled", true, "1", "Open", {}, {guard});
        row("Open, unsaved, Cancel: no dialog", true, "2", "Open", {}, {guard});
        row("Open the worked example", true, "1", "Open a.pln", kWorkedExample, {guard}, "", "Name CD ,Piesne 2003", "2");
        row("Open no records", false, "", "Open a.pln", "0", {}, "", "", "0");
        row("Open the sample database, Windows-1250", false, "", "Open " PLATNOVNIK_SAMPLE, {}, {}, "", "Piesne 2003,Zlaté hity,Štyri ročné obdobia,Cesta", "4");
        row("Open a file cut off in the second record", true, "1", "Open a.pln", kWorkedExample.left(200), {guard, report("Subor %1 sa neda nacitat.\nZaznam 2 \\(bajt 200\\): subor konci skor, ako zaznam skonci.\nNic sa nezmenilo.")});
        row("Open a file with a negative count", true, "1", "Open a.pln", "-2" + kWorkedExample.mid(1), {guard, report("Subor %1 sa neda nacitat.\npocet zaznamov je zaporny.\nNic sa nezmenilo.")});
        row("Open a file with a count beyond 32 bits", true, "1", "Open a.pln", "4294967298" + kWorkedExample.mid(1), {guard, report("Subor %1 sa neda nacitat.\npocet zaznamov je prilis velky.\nNic sa nezmenilo.")});
        row("Open a file with a text \"0\"", true, "1", "Open a.pln", QByteArray(kWorkedExample).replace("|Nedefinovane|N", "|0|N"), {guard, report("Subor %1 sa neda nacitat.\nZaznam 1 \\(bajt 106\\): polozka \"0\" znamena koniec suboru.\nNic sa nezmenilo.")});
        row("Open a file with a NUL byte", true, "1", "Open a.pln", QByteArray(kWorkedExample).replace("Kapela", QByteArray("Kap\0la", 6)), {guard, report("Subor %1 sa neda nacitat.\nZaznam 2 \\(bajt 211\\): v texte je nulovy bajt.\nNic sa nezmenilo.")});
        row("Open a missing file", true, "1", "Open chyba.pln", {}, {guard, report(cannotOpen + reason(ENOENT))});
        row("Open a folder", true, "1", "Open /tmp", {}, {guard, report(cannotOpen + "nie je to obycajny subor")});
        row("Open a file that opens, but every read fails", true, "1", "Open /proc/self/mem", {}, {guard, report(cannotRead)});
        row("Open a copy of the password file", true, "1", "Open x.pln", text, {guard, notDatabase});
        row("Open a picture", false, "", "Open x.pln", picture, {notDatabase});
        row("Save, dialog cancelled", true, "", "Save");
        row("Save a text \"0\", Cancel to the warning", true, "2", "Save a.pln", {}, {loss}, "loss");
        row("Save a text \"0\", OK to the warning: saved as it is", true, "1", "Save a.pln", {}, {loss}, "loss saves");
        row("Save to a folder's name", true, "", "Save /tmp/", {}, {report(cannotSave.arg("%1", "nie je to obycajny subor"))});
        row("Save into a folder that is gone", true, "", "Save gone/a.pln", {}, {report(cannotSave.arg("%1", reason(ENOENT)))});
        row("Save over an old file, a folder at the backup's name", true, "", "Save a.pln", kWorkedExample, {report(cannotSave.arg("%1", "zalohu %2 sa nepodarilo ulozit: " + reason(EISDIR)))}, "backupfolder");
        row("Save, the folder cannot be synced: saved, Save left on", true, "", "Save a.pln", kWorkedExample, {report("Subor %1 je zapisany, ale system nepotvrdil, ze je bezpecne na disku:\n" + reason(EIO) + "\nPo vypadku napajania sa moze stratit. Ulozte ho znova.")}, "foldersync saves");
        // clang-format on
    }

    void openAndSave()
    {
        QFETCH(QString, answers);
        QFETCH(QString, steps);
        QFETCH(QString, setup);
        QFETCH(bool, changes);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, boxes);
        threeRecords(changes);
        const QStringList commands = steps.split(", ");
        const auto fileOf = [](const QString &step) { return step.section(' ', 1); };
        if (!bytes.isNull())
            write(fileOf(commands.first()), bytes);
        const QString last = fileOf(commands.last());
        if (setup.contains("backupfolder"))
            QVERIFY(QDir(dir->path()).mkdir(last + '~'));
        if (setup.contains("loss"))
            Zoznam.Prvy->setMeno("0");
        QByteArray file = read("a.pln"), backup = read("a.pln~");
        for (QChar answer : answers)
            asker.answers << answer.digitValue();
        QStringList questions;
        {
            SystemFaults::Faults faults;
            faults.folderSync = setup.contains("foldersync") ? EIO : 0;
            const SystemFaults::Scope scope(faults);
            for (const QString &step : commands) {
                const QString command = step.section(' ', 0, 0), chosen = fileOf(step);
                asker.files << (chosen.isEmpty() ? "" : path(chosen));
                if (command == "Save")
                    action("Save")->setEnabled(true); // a change since the last command
                if (command == "Save" || !flag() || asker.answers.value(0) != Box::ResultCancel)
                    questions << command + " Platnovnik (*.pln) .pln" +
                                     (command == "Save" ? " closes" : "");
                action(command.toLatin1())->trigger();
                StringSink collection;
                if (command == "Save" && setup.contains("saves") &&
                    UlozDatabazu(collection, Zoznam))
                    std::tie(file, backup) = std::pair(QByteArray::fromStdString(collection.bytes),
                                                       file == "(missing)" ? backup : file);
            }
        }
        QCOMPARE(asker.boxes.size(), boxes.size());
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            const auto quoted = [&](const QString &name) {
                return QRegularExpression::escape('"' + path(name) + '"');
            };
            const QString pattern =
                QString(boxes[i]).replace("%2", quoted(last + '~')).replace("%1", quoted(last));
            QVERIFY2(QRegularExpression(pattern).match(asker.boxes[i]).hasMatch(),
                     qPrintable(asker.boxes[i]));
        }
        QCOMPARE(asker.questions, questions);
        QTEST(names(), "names");
        QTEST(count()->text(), "count");
        const bool reported = asker.boxes.value(boxes.size() - 1).endsWith("|Pozor!30");
        QCOMPARE(flag(), commands.last().startsWith("Save")
                             ? !setup.contains("saves") || reported
                             : changes && (last.isEmpty() || reported));
        QCOMPARE(read("a.pln"), file);
        QCOMPARE(read("a.pln~"), backup);
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
        const char *end = "Nemas Ulozene data! \nChces naozaj skoncit?|Pozor!31";
        // clang-format off
        row("start-up: off", "", false, false);
        row("entry dialog closed: on, count shown", "PridajZaznamCD1", false, true, "TFormZadajCd", "3");
        row("entry dialog, Uloz: one more", "PridajZaznamCD1", false, true, "TFormZadajCd", "4", "UlozBtn");
        row("sort: on", "Triedenie1", false, true);
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
