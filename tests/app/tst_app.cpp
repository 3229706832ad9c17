// The main window with its dialogs: the commands, their prompts, and Open and Save.
#include "app/MainForm.h"
#include "core/Triedenie.h"
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
        TypTriedenia = 0;
    }

    // Each command over three records, or a few one after another, each Save after a change:
    // the window it shows ("Vypispoziciek1 TVypisForm", closed by its close box or the button
    // named), what it asks and reports, in the program's words naming the file ("%1" in `boxes`,
    // "%2" its backup), whether the program ends, the records, count and flag it leaves. Every
    // failure, every Open and every cancel leaves a.pln and a.pln~ as they were; with "saves",
    // each Save puts the collection in a.pln and keeps what was there as a.pln~ (the rest:
    // tst_databaza).
    void commands_data()
    {
        for (const char *column : {"answers", "steps", "setup", "names", "count"})
            QTest::addColumn<QString>(column);
        QTest::addColumn<bool>("changes");
        QTest::addColumn<QByteArray>("bytes"); // what the first step's file holds, if it is there
        QTest::addColumn<QStringList>("boxes");
        const auto row = [](const QByteArray &name, bool changes, const char *answers,
                            const char *steps, const QByteArray &bytes = {},
                            const QStringList &boxes = {}, const char *setup = "",
                            const char *names = "Prvy,Druhy,Treti", const char *count = "0") {
            QTest::newRow(name.constData())
                << answers << steps << setup << names << count << changes << bytes << boxes;
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
        const QString replace =
            "^Subor %1 uz existuje.\nNahradit ho\\?\\|Pozor!131$"; // Enter: Cancel
        QFile passwd("/etc/passwd");
        const QByteArray text = passwd.open(QIODevice::ReadOnly) ? passwd.readAll() : "root:x:0:0";
        const QByteArray picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
        const QString end = question("Nemas Ulozene data! \nChces naozaj skoncit\\?");
        // clang-format off
        row("start-up: off", false, "", "");
        row("entry dialog closed: on, count shown", false, "", "PridajZaznamCD1 TFormZadajCd", {}, {}, "on", "Prvy,Druhy,Treti", "3");
        row("entry dialog, Uloz: one more", false, "", "PridajZaznamCD1 TFormZadajCd UlozBtn", {}, {}, "on", "Prvy,Druhy,Treti,", "4");
        row("sort: on", false, "", "Triedenie1", {}, {}, "on");
        row("listing: off stays off", false, "", "Vypispoziciek1 TVypisForm");
        row("listing: on stays on", true, "", "Vypispoziciek1 TVypisForm");
        row("sort settings", true, "", "Vybertriedenia1 TFormTried");
        row("search", false, "", "Vyhladanie1 THladanieForm");
        row("search settings", true, "", "NastavenieVyhladavania1 TFormVyhladaj");
        row("about", false, "", "Oprograme1 TAboutForm");
        for (const QByteArray item : {"End1", "close"}) {
            row(item + ", nothing unsaved: ends", false, "", item, {}, {}, "ends");
            row(item + ", unsaved, OK: ends", true, "1", item, {}, {end}, "ends");
            row(item + ", unsaved, Cancel: stays", true, "2", item, {}, {end});
        }
        row("Open, nothing unsaved: no question, dialog cancelled", false, "", "Open");
        row("Open, unsaved, OK, dialog cancelled", true, "1", "Open", {}, {guard});
        row("Open, unsaved, Cancel: no dialog", true, "2", "Open", {}, {guard});
        row("Open no records", true, "1", "Open a.pln", "0", {guard}, "", "", "0");
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
        row("Save over an old file, a folder at the backup's name", true, "1", "Save a.pln", kWorkedExample, {replace, report(cannotSave.arg("%1", "zalohu %2 sa nepodarilo ulozit: " + reason(EISDIR)))}, "backupfolder");
        const QString notDurable = report("Subor %1 je zapisany, ale system nepotvrdil, ze je bezpecne na disku:\n" + reason(EIO) + "\nPo vypadku napajania sa moze stratit. Ulozte ho znova.");
        row("Save twice, the folder not synced: saved, no question the second time, Save left on", true, "", "Save a.pln, Save a.pln", {}, {notDurable, notDurable}, "foldersync saves");
        row("Save a new collection over a file: asks, Cancel", true, "2", "Save a.pln", kWorkedExample, {replace});
        row("Save a new collection over a file: asks, OK saves and keeps the previous version", true, "1", "Save a.pln", kWorkedExample, {replace}, "saves");
        row("Save a text \"0\" over a file: asked first, then warned; Cancel", true, "12", "Save a.pln", kWorkedExample, {replace, loss}, "loss");
        row("Open, then Save to another spelling of its name: no question", false, "", "Open a.pln, Save ./a.pln", kWorkedExample, {}, "saves", "Name CD ,Piesne 2003", "2");
        row("Open, a failed Open, then Save to the first: no question", false, "", "Open a.pln, Open chyba.pln, Save a.pln", kWorkedExample, {report("Subor \".*/chyba.pln\" sa neda otvorit:\n" + reason(ENOENT))}, "saves", "Name CD ,Piesne 2003", "2");
        row("Save over a file, then again through a symbolic link to it: asked the first time only", true, "1", "Save a.pln, Save l.pln", kWorkedExample, {QString(replace).replace("%1", "\".*/a.pln\"")}, "link saves");
        row("Open a file, then Save over another: asks", false, "2", "Open b.pln, Save a.pln", kWorkedExample, {replace}, "other", "Name CD ,Piesne 2003", "2");
        // clang-format on
    }

    void commands()
    {
        QFETCH(QString, answers);
        QFETCH(QString, steps);
        QFETCH(QString, setup);
        QFETCH(bool, changes);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, boxes);
        form->show();
        for (const char *nazov : {"Prvy", "Druhy", "Treti"}) {
            Zoznam.PripojZaznam(new ZaznamCD);
            Zoznam.Aktualny->setNazovCD(nazov);
        }
        action("Save")->setEnabled(changes);
        TypTriedenia = sortModeOf(Pole::Priezvisko); // not the first box, to tell the key apart
        const QStringList commands = steps.split(", ");
        const auto argument = [](const QString &step) { return step.section(' ', 1); };
        if (!bytes.isNull())
            write(argument(commands.first()), bytes);
        const QString last = argument(commands.last());
        if (setup.contains("backupfolder"))
            QVERIFY(QDir(dir->path()).mkdir(last + '~'));
        if (setup.contains("loss"))
            Zoznam.Prvy->setMeno("0");
        if (setup.contains("other"))
            write("a.pln", "another collection");
        QVERIFY(!setup.contains("link") || QFile::link("a.pln", path("l.pln")));
        QByteArray file = read("a.pln"), backup = read("a.pln~");
        for (QChar answer : answers)
            asker.answers << answer.digitValue();
        const int topLevels = QApplication::topLevelWidgets().size();
        // A window's class begins with T, as no file name here does.
        const QString window = last.startsWith('T') ? last.section(' ', 0, 0) : "";
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
                const QString button = last.section(' ', 1);
                button.isEmpty() ? void(modal->close())
                                 : modal->findChild<QPushButton *>(button)->click();
            });
        QSignalSpy terminate(form.get(), &TMainForm::terminateRequested);
        // As after a file dialog, Qt Widgets may have lost the activation.
        if (bridge.on && steps == "Triedenie1" && QTest::qWaitForWindowActive(form.get()))
            QApplication::setActiveWindow(nullptr);
        QStringList questions;
        bool reported = false; // the last step ended in a report
        {
            SystemFaults::Faults faults;
            faults.folderSync = setup.contains("foldersync") ? EIO : 0;
            const SystemFaults::Scope scope(faults);
            for (const QString &step : commands) {
                const QString command = step.section(' ', 0, 0), chosen = argument(step);
                asker.files << (chosen.isEmpty() ? "" : path(chosen));
                if (command == "Save")
                    action("Save")->setEnabled(true); // a change since the last command
                if (command == "Save" ||
                    (command == "Open" && (!flag() || asker.answers.value(0) != Box::ResultCancel)))
                    questions << command + " Platnovnik (*.pln) .pln" +
                                     (command == "Save" ? " closes" : "");
                const qsizetype shown = asker.boxes.size();
                if (command == "close")
                    form->close();
                else if (!command.isEmpty())
                    action(command.toLatin1())->trigger();
                reported = asker.boxes.size() > shown && asker.boxes.last().endsWith("|Pozor!30");
                StringSink collection;
                if (command == "Save" && setup.contains("saves") &&
                    UlozDatabazu(collection, Zoznam))
                    std::tie(file, backup) = std::pair(QByteArray::fromStdString(collection.bytes),
                                                       file == "(missing)" ? backup : file);
            }
        }
        QCOMPARE(seen, window);
        QCOMPARE(entered, cell);
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
        QStringList names;
        for (const ZaznamCD *zaznam = Zoznam.Prvy; names.size() < Zoznam.PocetCd;
             zaznam = zaznam->Dalsi)
            names << CodePage::toQString(std::string(zaznam->NazovCD())); // a copy ASan sees
        QTEST(names.join(','), "names");
        QCOMPARE(flag(), commands.last().startsWith("Save") ? !setup.contains("saves") || reported
                         : commands.last().startsWith("Open")
                             ? changes && (last.isEmpty() || reported)
                             : changes || setup.contains("on"));
        QCOMPARE(terminate.size(), int(setup.contains("ends")));
        QCOMPARE(form->isVisible(), !(setup.contains("ends") && steps == "close"));
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevels); // made for one showing
        QVERIFY(!VypisForm);
        QCOMPARE(read("a.pln"), file);
        QCOMPARE(read("a.pln~"), backup);
        // Each box and the bar: a name of its own (a label's beside a box), the count, the key.
        QFETCH(QString, count);
        const QString described = "Pocet Zaznamov CD: " + count +
                                  (steps == "Triedenie1" ? ", zoradene podla: Priezvisko" : "");
        QStringList boxNames;
        for (QWidget *box :
             form->findChildren<QWidget *>(QRegularExpression("^(ComboBox|Edit.|ProgressBar)$"))) {
            boxNames << QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
            QCOMPARE(box->accessibleDescription(), described);
        }
        QCOMPARE(boxNames.join(','), "Zoznam bez funkcie,Pole 1 bez funkcie,Pole 2 bez funkcie,"
                                     "Pole 3 bez funkcie,Datum Pozicane,Meno,Priezvisko,"
                                     "Datum Vratenie,Priebeh triedenia");
        if (bridge.on && form->isVisible() && !steps.isEmpty())
            QTRY_COMPARE(bridge.last, "Zoznam bez funkcie. " + described);
    }

    // The real box answers Cancel to Escape and its close box, where it has a Cancel button, and
    // to Enter where Cancel is its default.
    void messageBox()
    {
        // clang-format off
        for (auto [flags, key, result] : {std::tuple{0x31, int(Qt::Key_Escape), 2}, {0x31, 0, 2},
                                          {0x31, Qt::Key_Return, 1}, {0x30, Qt::Key_Escape, 1},
                                          {0x131, Qt::Key_Return, 2}}) {
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
