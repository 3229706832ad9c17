// The main window: its layout, the unsaved-changes flag, the end prompt and the commands
// that show dialogs or sort.
#include "AppTest.h"

#include "core/Triedenie.h"
#include "dialogs/About.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>

#include <stdexcept>

namespace {

FakeAsker unusedAsker;

// Kind, parent, geometry, text, state and tab stop of a control in one line; "fit" for a
// label sized to its text, so that no font clips it.
QString describe(QWidget *widget)
{
    const QRect r = widget->geometry();
    QString line = QString("%1 in %2 at %3,%4 ")
                       .arg(widget->metaObject()->className(), widget->parentWidget()->objectName())
                       .arg(r.x())
                       .arg(r.y());
    line += qobject_cast<QLabel *>(widget) && r.size() == widget->sizeHint()
                ? "fit"
                : QString("%1x%2").arg(r.width()).arg(r.height());
    for (const char *property :
         {"text", "title", "editable", "count", "minimum", "maximum", "textVisible"}) {
        if (widget->metaObject()->indexOfProperty(property) >= 0)
            line += QString(" %1=%2").arg(property, widget->property(property).toString());
    }
    return line + (widget->focusPolicy() & Qt::TabFocus ? " tab" : "");
}

} // namespace

class TstMainForm : public QObject, FormFixture {
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        FormZadajCd = new TFormZadajCd;
        AboutForm = new TAboutForm;
        FormTried = new TFormTried;
        FormVyhladaj = new TFormVyhladaj;
    }

    void cleanupTestCase()
    {
        delete FormZadajCd;
        delete AboutForm;
        delete FormTried;
        delete FormVyhladaj;
    }

    void init()
    {
        setUp();
        TypTriedenia = 0;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup() { tearDown(); }

    void layout()
    {
        QCOMPARE(form->objectName(), QString("MainForm"));
        QCOMPARE(form->windowTitle(), QString("Platnovnik   V 0.0.0.1"));
        const int menuHeight = form->menuBar()->height();
        QCOMPARE(QRect(form->pos(), form->size()), QRect(268, 307, 585, 351 + menuHeight));
        QCOMPARE(form->centralWidget()->geometry(), QRect(0, menuHeight, 585, 332));
        QCOMPARE(form->statusBar()->objectName(), QString("StatusBar"));
        QCOMPARE(form->statusBar()->geometry(), QRect(0, menuHeight + 332, 585, 19));
        QVERIFY(form->statusBar()->currentMessage().isEmpty());
        QCOMPARE(QApplication::windowIcon().availableSizes(),
                 (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
        QCOMPARE(form->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());

        // Rows in tab order; the count stays its designed distance behind its caption.
        const int countX =
            qMax(528, form->findChild<QLabel *>("LabelPocet")->geometry().right() + 11);
        const QList<QPair<QString, QString>> controls{
            {"ComboBox", "QComboBox in ClientArea at 16,48 145x21 editable=true count=0 tab"},
            {"Edit1", "QLineEdit in ClientArea at 168,48 121x21 text= tab"},
            {"Edit2", "QLineEdit in ClientArea at 304,48 121x21 text= tab"},
            {"Edit3", "QLineEdit in ClientArea at 440,48 121x21 text= tab"},
            {"Edit4", "QLineEdit in GroupBox at 8,56 89x21 text= tab"},
            {"Edit5", "QLineEdit in GroupBox at 120,56 81x21 text= tab"},
            {"Edit6", "QLineEdit in GroupBox at 200,56 121x21 text= tab"},
            {"Edit7", "QLineEdit in GroupBox at 360,56 97x21 text= tab"},
            {"GroupBox", "QGroupBox in ClientArea at 8,112 569x105 title= Pozicane "},
            {"Label1", "QLabel in GroupBox at 8,32 fit text=Datum Pozicane"},
            {"Label2", "QLabel in GroupBox at 120,32 fit text=Meno"},
            {"Label3", "QLabel in GroupBox at 200,32 fit text=Priezvisko"},
            {"Label4", "QLabel in GroupBox at 360,32 fit text=Datum Vratenie"},
            {"LabelPocet", "QLabel in ClientArea at 416,240 fit text=Pocet Zaznamov CD:"},
            {"LabelPocetCd", QString("QLabel in ClientArea at %1,240 fit text=0").arg(countX)},
            {"ProgressBar", "QProgressBar in ClientArea at 8,304 569x16 text=0% minimum=0 "
                            "maximum=100 textVisible=false"},
        };
        QStringList tabStops;
        for (const auto &[name, expected] : controls) {
            auto *widget = form->findChild<QWidget *>(name);
            QVERIFY2(widget, qPrintable(name));
            QCOMPARE(name + ": " + describe(widget), name + ": " + expected);
            if (expected.endsWith(" tab"))
                tabStops << name;
        }
        tabStops << tabStops.first(); // the chain goes round
        QStringList chain{tabStops.first()};
        for (QWidget *widget = form->findChild<QWidget *>(chain[0]);
             chain.size() < tabStops.size();) {
            widget = widget->nextInFocusChain();
            if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(form.get()) &&
                !widget->objectName().isEmpty() && !widget->focusProxy())
                chain << widget->objectName();
        }
        QCOMPARE(chain, tabStops);
        QCOMPARE(form->statusBar()->focusPolicy(), Qt::NoFocus);
    }

    void menu()
    {
        QStringList menus;
        for (QAction *title : form->menuBar()->actions()) {
            QString line = title->menu()->objectName() + ' ' + title->text() + ':';
            for (QAction *item : title->menu()->actions())
                line += ' ' + item->objectName() + '=' +
                        (item->isSeparator() ? "-" : item->text()) +
                        (item->isEnabled() ? "" : "(off)");
            menus << line;
        }
        QCOMPARE(menus, (QStringList{
                            "File1 &File: Open=Open Save=Save(off) N1=- End1=End",
                            "Nastavenia1 &Databaza: PridajZaznamCD1=Pridaj zaznam CD "
                            "Vypispoziciek1=Vypis Platnovnik",
                            "Databaza1 &Triedenie: Triedenie1=Triedenie "
                            "Vybertriedenia1=Nastavenie triedenia",
                            "Vyhladavanie1 &Vyhladavanie: Vyhladanie1=Vyhladanie "
                            "NastavenieVyhladavania1=Nastavenie vyhladavania",
                            "Help1 &Help: Oprograme1=O programe",
                        }));
        QCOMPARE(form->menuBar()->objectName(), QString("MainMenu"));
    }

    // Every command but "End": the window it shows, and the flag and count it leaves.
    void commands_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::addColumn<QString>("count");
        const auto row = [](const char *name, const char *item, const char *window, bool before,
                            bool after, const char *count) {
            QTest::newRow(name) << item << window << before << after << count;
        };
        row("start-up: off", "", "", false, false, "0");
        row("entry dialog, nothing added: on, count shown", "PridajZaznamCD1", "TFormZadajCd",
            false, true, "2");
        row("sort: on", "Triedenie1", "", false, true, "0");
        row("completed open: off", "Open", "", true, false, "1");
        row("completed save: off", "Save", "", true, false, "0");
        row("listing: off stays off", "Vypispoziciek1", "TVypisForm", false, false, "0");
        row("listing: on stays on", "Vypispoziciek1", "TVypisForm", true, true, "0");
        row("sort settings", "Vybertriedenia1", "TFormTried", true, true, "0");
        row("search", "Vyhladanie1", "THladanieForm", false, false, "0");
        row("search settings", "NastavenieVyhladavania1", "TFormVyhladaj", true, true, "0");
        row("about", "Oprograme1", "TAboutForm", false, false, "0");
    }

    void commands()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QFETCH(bool, before);
        QFETCH(bool, after);
        QFETCH(QString, count);
        addRecord("Prvy");
        addRecord("Druhy");
        QTemporaryDir dir;
        QFile file(dir.filePath("a.pln"));
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write("1a|b|c|d|e|f|g|h|i|j|N|A|T|D|M|P|V|"));
        file.close();
        asker->files << dir.filePath(item == "Open" ? "a.pln" : "b.pln");
        const int topLevels = QApplication::topLevelWidgets().size();
        QString seen;
        if (!item.isEmpty()) {
            action("Save")->setEnabled(before);
            if (!window.isEmpty()) // closed by its close box
                whenModal([&](QWidget *modal) {
                    seen = modal->metaObject()->className();
                    modal->close();
                });
            action(item.toLatin1())->trigger();
        }
        QCOMPARE(seen, window);
        QCOMPARE(flag(), after);
        QCOMPARE(this->count(), count);
        QCOMPARE(asker->boxes.size(), int(item == "Open")); // only the open prompt
        // The listing and search windows made for one showing are gone afterwards.
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevels);
        QVERIFY(!VypisForm);
    }

    void endPrompt_data()
    {
        QTest::addColumn<bool>("byClosing");
        QTest::addColumn<bool>("changes");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        for (bool byClosing : {false, true}) {
            const QByteArray road = byClosing ? "close box" : "End";
            QTest::newRow(road + ", nothing unsaved: ends unasked")
                << byClosing << false << 0 << true;
            QTest::newRow(road + ", unsaved, OK: ends") << byClosing << true << 1 << true;
            QTest::newRow(road + ", unsaved, Cancel: stays") << byClosing << true << 2 << false;
        }
    }

    void endPrompt()
    {
        QFETCH(bool, byClosing);
        QFETCH(bool, changes);
        QFETCH(int, answer);
        QFETCH(bool, ends);
        addRecord("Album");
        action("Save")->setEnabled(changes);
        if (answer)
            asker->answers << answer;
        QSignalSpy terminate(form.get(), &TMainForm::terminateRequested);
        if (byClosing)
            form->close();
        else
            action("End1")->trigger();
        QCOMPARE(asker->boxes.size(), changes ? 1 : 0); // asked once at most
        if (changes) {
            QCOMPARE(asker->boxes[0].text, QString("Nemas Ulozene data! \nChces naozaj skoncit?"));
            QCOMPARE(asker->boxes[0].caption, QString("Pozor!"));
            QCOMPARE(asker->boxes[0].flags, 0x31);
        }
        QCOMPARE(terminate.size(), ends ? 1 : 0);
        QCOMPARE(form->isVisible(), !(ends && byClosing));
        // Nothing is saved or cleared on the way out.
        QCOMPARE(Zoznam.PocetCd, 1);
        QCOMPARE(flag(), changes);
    }

    void sortCommand()
    {
        TypTriedenia = 2;
        auto *bar = form->findChild<QProgressBar *>("ProgressBar");
        action("Triedenie1")->trigger(); // an empty list sets the flag too
        QVERIFY(flag());
        QCOMPARE(bar->maximum(), 100);
        std::string expected;
        for (int i = 250; i > 0; --i) {
            addRecord("Album " + std::to_string(1000 + i));
            expected = "Album " + std::to_string(1000 + i) + (i < 250 ? "," : "") + expected;
        }
        action("Triedenie1")->trigger();
        QCOMPARE(names(), expected);
        QCOMPARE(bar->maximum(), 250); // more records than the bar's start maximum
        QCOMPARE(bar->value(), 0);
    }

    void exceptionInACommandIsShownAndTheProgramGoesOn()
    {
        asker->onFileDialog = [] { throw std::runtime_error("Dialog sa nepodarilo otvorit"); };
        addRecord("Album");
        action("Open")->trigger();
        QCOMPARE(asker->boxes.size(), 1);
        QCOMPARE(asker->boxes[0].text, QString("Dialog sa nepodarilo otvorit"));
        QCOMPARE(asker->boxes[0].caption, QString("Platnovnik"));
        QCOMPARE(asker->boxes[0].flags, Box::Ok | Box::IconStop);
        QCOMPARE(Zoznam.PocetCd, 1);
        action("Triedenie1")->trigger(); // the window still takes commands
        QVERIFY(flag());
    }
};

PLATNOVNIK_TEST_MAIN(TstMainForm, unusedAsker)
#include "tst_mainform.moc"
