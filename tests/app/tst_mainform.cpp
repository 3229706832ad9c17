// The main window: its layout, the unsaved-changes flag, the end prompt and the commands
// that show dialogs or sort.
#include "FakeAsker.h"
#include "Records.h"
#include "TestMain.h"

#include "app/MainForm.h"
#include "core/Triedenie.h"
#include "dialogs/About.h"
#include "dialogs/Hladanie.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

FakeAsker unusedAsker;

// Records which window was modal, then closes it by its close box.
void closeModalWhenUp(QString *seen)
{
    auto *timer = new QTimer;
    auto *started = new QElapsedTimer;
    started->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, started, seen] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && started->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        delete started;
        if (modal) {
            *seen = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    timer->start();
}

} // namespace

using Step = std::function<void(TMainForm &, FakeAsker &)>;
Q_DECLARE_METATYPE(Step)

class TstMainForm : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeAsker> asker;
    std::unique_ptr<TMainForm> form;

    QAction *action(const char *name) { return form->findChild<QAction *>(name); }
    bool flag() { return action("Save")->isEnabled(); }
    QString count() { return form->findChild<QLabel *>("LabelPocetCd")->text(); }

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
        Zoznam.VymazVsetky();
        TypTriedenia = 0;
        asker = std::make_unique<FakeAsker>();
        form = std::make_unique<TMainForm>(nullptr, asker.get());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup()
    {
        form.reset();
        Zoznam.VymazVsetky();
    }

    void window()
    {
        QCOMPARE(form->objectName(), QString("MainForm"));
        QCOMPARE(form->windowTitle(), QString("Platnovnik   V 0.0.0.1"));
        QCOMPARE(form->pos(), QPoint(268, 307));
        const int menuHeight = form->menuBar()->height();
        QCOMPARE(form->size(), QSize(585, 351 + menuHeight));
        QCOMPARE(form->centralWidget()->geometry(), QRect(0, menuHeight, 585, 332));
        QStatusBar *status = form->statusBar();
        QCOMPARE(status->objectName(), QString("StatusBar"));
        QCOMPARE(status->geometry(), QRect(0, menuHeight + 332, 585, 19));
        QVERIFY(status->currentMessage().isEmpty());
        QVERIFY(status->findChildren<QLabel *>().isEmpty());
        QCOMPARE(form->menuBar()->objectName(), QString("MainMenu"));
        QVERIFY(form->windowFlags() & Qt::WindowMinMaxButtonsHint);
        // The same icon, in both sizes, for the window and the program.
        QCOMPARE(QApplication::windowIcon().availableSizes(),
                 (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
        QCOMPARE(form->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    }

    void statusBarStaysDockedWhenResized()
    {
        form->resize(800, 500);
        const QRect status = form->statusBar()->geometry();
        QCOMPARE(status.width(), 800);
        QCOMPARE(status.bottom(), form->height() - 1);
        QCOMPARE(form->findChild<QProgressBar *>("ProgressBar")->geometry(),
                 QRect(8, 304, 569, 16));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, const char *kind, const char *parent, QRect rect,
                            const char *text) {
            QTest::newRow(name) << name << kind << parent << rect << text;
        };
        row("ComboBox", "QComboBox", "ClientArea", {16, 48, 145, 21}, "");
        row("Edit1", "QLineEdit", "ClientArea", {168, 48, 121, 21}, "");
        row("Edit2", "QLineEdit", "ClientArea", {304, 48, 121, 21}, "");
        row("Edit3", "QLineEdit", "ClientArea", {440, 48, 121, 21}, "");
        row("GroupBox", "QGroupBox", "ClientArea", {8, 112, 569, 105}, " Pozicane ");
        row("Edit4", "QLineEdit", "GroupBox", {8, 56, 89, 21}, "");
        row("Edit5", "QLineEdit", "GroupBox", {120, 56, 81, 21}, "");
        row("Edit6", "QLineEdit", "GroupBox", {200, 56, 121, 21}, "");
        row("Edit7", "QLineEdit", "GroupBox", {360, 56, 97, 21}, "");
        row("ProgressBar", "QProgressBar", "ClientArea", {8, 304, 569, 16}, "");
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        auto *widget = form->findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(QString(widget->metaObject()->className()), kind);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), geometry);
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            QCOMPARE(edit->text(), text);
        if (auto *box = qobject_cast<QGroupBox *>(widget))
            QCOMPARE(box->title(), text);
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            QVERIFY(combo->isEditable());
            QCOMPARE(combo->count(), 0);
            QVERIFY(combo->currentText().isEmpty());
        }
        if (auto *bar = qobject_cast<QProgressBar *>(widget)) {
            QCOMPARE(bar->minimum(), 0);
            QCOMPARE(bar->maximum(), 100);
            QCOMPARE(bar->value(), 0);
            QVERIFY(!bar->isTextVisible());
        }
    }

    void labels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("LabelPocet") << "LabelPocet"
                                    << "ClientArea" << QPoint(416, 240) << "Pocet Zaznamov CD:";
        QTest::newRow("Label1") << "Label1"
                                << "GroupBox" << QPoint(8, 32) << "Datum Pozicane";
        QTest::newRow("Label2") << "Label2"
                                << "GroupBox" << QPoint(120, 32) << "Meno";
        QTest::newRow("Label3") << "Label3"
                                << "GroupBox" << QPoint(200, 32) << "Priezvisko";
        QTest::newRow("Label4") << "Label4"
                                << "GroupBox" << QPoint(360, 32) << "Datum Vratenie";
    }

    void labels()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QPoint, position);
        QFETCH(QString, text);
        auto *label = form->findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget()->objectName(), parent);
        QCOMPARE(label->pos(), position);
        QCOMPARE(label->text(), text);
        // Sized to its text in whatever font the system has, so nothing is clipped.
        QCOMPARE(label->size(), label->sizeHint());
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void countLabelFollowsItsCaption()
    {
        auto *caption = form->findChild<QLabel *>("LabelPocet");
        auto *label = form->findChild<QLabel *>("LabelPocetCd");
        QCOMPARE(label->text(), QString("0"));
        QCOMPARE(label->y(), 240);
        QVERIFY(label->x() >= 528);
        QVERIFY(label->x() >= caption->geometry().right() + 1 + 10);
        QCOMPARE(label->size(), label->sizeHint());
        QCOMPARE(label->parentWidget()->objectName(), QString("ClientArea"));
    }

    void tabOrder()
    {
        const QStringList expected{"ComboBox", "Edit1", "Edit2", "Edit3",   "Edit4",
                                   "Edit5",    "Edit6", "Edit7", "ComboBox"};
        QStringList order;
        QWidget *widget = form->findChild<QWidget *>("ComboBox");
        order << widget->objectName();
        while (order.size() < expected.size()) {
            widget = widget->nextInFocusChain();
            if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(form.get()) ||
                widget->objectName().isEmpty() || widget->focusProxy())
                continue;
            order << widget->objectName();
        }
        QCOMPARE(order, expected);
        QCOMPARE(form->findChild<QProgressBar *>("ProgressBar")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(form->statusBar()->focusPolicy(), Qt::NoFocus);
    }

    void menu_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("disabled");
        QTest::newRow("File1") << "File1"
                               << "&File" << QStringList{"Open", "Save", "N1", "End1"}
                               << QStringList{"Open", "Save", "", "End"} << QStringList{"Save"};
        QTest::newRow("Nastavenia1")
            << "Nastavenia1"
            << "&Databaza" << QStringList{"PridajZaznamCD1", "Vypispoziciek1"}
            << QStringList{"Pridaj zaznam CD", "Vypis Platnovnik"} << QStringList{};
        QTest::newRow("Databaza1")
            << "Databaza1"
            << "&Triedenie" << QStringList{"Triedenie1", "Vybertriedenia1"}
            << QStringList{"Triedenie", "Nastavenie triedenia"} << QStringList{};
        QTest::newRow("Vyhladavanie1")
            << "Vyhladavanie1"
            << "&Vyhladavanie" << QStringList{"Vyhladanie1", "NastavenieVyhladavania1"}
            << QStringList{"Vyhladanie", "Nastavenie vyhladavania"} << QStringList{};
        QTest::newRow("Help1") << "Help1"
                               << "&Help" << QStringList{"Oprograme1"} << QStringList{"O programe"}
                               << QStringList{};
    }

    void menu()
    {
        QFETCH(QString, menu);
        QFETCH(QString, title);
        QFETCH(QStringList, items);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, disabled);
        auto *popup = form->menuBar()->findChild<QMenu *>(menu);
        QVERIFY(popup);
        QCOMPARE(popup->title(), title);
        QStringList names, texts, off;
        for (QAction *item : popup->actions()) {
            names << item->objectName();
            texts << item->text();
            if (!item->isEnabled())
                off << item->objectName();
            QVERIFY(item->shortcut().isEmpty());
            QVERIFY(!item->isCheckable());
            QVERIFY(item->icon().isNull());
        }
        QCOMPARE(names, items);
        QCOMPARE(texts, captions);
        QCOMPARE(off, disabled);
        QVERIFY(form->findChild<QAction *>("N1")->isSeparator());
    }

    void menuOrder()
    {
        QStringList menus;
        for (QAction *item : form->menuBar()->actions())
            menus << item->menu()->objectName();
        QCOMPARE(menus,
                 (QStringList{"File1", "Nastavenia1", "Databaza1", "Vyhladavanie1", "Help1"}));
    }

    void flagTable_data()
    {
        QTest::addColumn<bool>("before");
        QTest::addColumn<Step>("step");
        QTest::addColumn<bool>("after");
        const Step addDialogClosed = [](TMainForm &form, FakeAsker &) {
            QString seen;
            closeModalWhenUp(&seen);
            form.PridajZaznamCD1Click();
            QCOMPARE(seen, QString("TFormZadajCd"));
        };
        const Step sort = [](TMainForm &form, FakeAsker &) { form.Triedenie1Click(); };
        const Step listing = [](TMainForm &form, FakeAsker &) {
            QString seen;
            closeModalWhenUp(&seen);
            form.Vypispoziciek1Click();
        };
        QTest::newRow("start-up: off") << false << Step() << false;
        QTest::newRow("entry dialog closed without a record: on")
            << false << addDialogClosed << true;
        QTest::newRow("sort of an empty list: on") << false << sort << true;
        QTest::newRow("listing: unchanged, off") << false << listing << false;
        QTest::newRow("listing: unchanged, on") << true << listing << true;
    }

    void flagTable()
    {
        QFETCH(bool, before);
        QFETCH(Step, step);
        QFETCH(bool, after);
        action("Save")->setEnabled(before);
        if (step)
            step(*form, *asker);
        QCOMPARE(flag(), after);
    }

    void endPrompt_data()
    {
        QTest::addColumn<bool>("byClosing");
        QTest::addColumn<bool>("changes");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        for (bool byClosing : {false, true}) {
            const QByteArray road = byClosing ? "close box" : "End";
            QTest::newRow(road + ", nothing unsaved: ends without asking")
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
        addRecord(Zoznam, "Album");
        action("Save")->setEnabled(changes);
        if (answer)
            asker->answers << answer;
        QSignalSpy terminate(form.get(), &TMainForm::terminateRequested);
        if (byClosing)
            form->close();
        else
            action("End1")->trigger();
        QCOMPARE(asker->boxes.size(), changes ? 1 : 0);
        if (changes) {
            QCOMPARE(asker->boxes[0].text, QString("Nemas Ulozene data! \nChces naozaj skoncit?"));
            QCOMPARE(asker->boxes[0].caption, QString("Pozor!"));
            QCOMPARE(asker->boxes[0].flags, 0x31);
        }
        QCOMPARE(terminate.size(), ends ? 1 : 0);
        if (byClosing)
            QCOMPARE(form->isVisible(), !ends);
        // Nothing is saved or cleared on the way out.
        QCOMPARE(Zoznam.PocetCd, 1);
        QCOMPARE(flag(), changes);
    }

    void dialogCommands_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("Pridaj zaznam CD") << "PridajZaznamCD1"
                                          << "TFormZadajCd";
        QTest::newRow("Vypis Platnovnik") << "Vypispoziciek1"
                                          << "TVypisForm";
        QTest::newRow("Nastavenie triedenia") << "Vybertriedenia1"
                                              << "TFormTried";
        QTest::newRow("Vyhladanie") << "Vyhladanie1"
                                    << "THladanieForm";
        QTest::newRow("Nastavenie vyhladavania") << "NastavenieVyhladavania1"
                                                 << "TFormVyhladaj";
        QTest::newRow("O programe") << "Oprograme1"
                                    << "TAboutForm";
    }

    void dialogCommands()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        const int topLevels = QApplication::topLevelWidgets().size();
        QString seen;
        closeModalWhenUp(&seen);
        action(item.toLatin1())->trigger();
        QCOMPARE(seen, window);
        QVERIFY(asker->boxes.isEmpty());
        // The listing and search windows made for one showing are gone afterwards.
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevels);
        QVERIFY(!VypisForm);
    }

    void addRecordCommandShowsTheCount()
    {
        for (int i = 0; i < 11; ++i)
            addRecord(Zoznam, "Album");
        QString seen;
        closeModalWhenUp(&seen);
        action("PridajZaznamCD1")->trigger();
        QCOMPARE(count(), QString("11"));
        QVERIFY(flag());
    }

    void sortCommand_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("maximum");
        QTest::newRow("no records: maximum untouched") << 0 << 100;
        QTest::newRow("one record: maximum untouched") << 1 << 100;
        QTest::newRow("three records") << 3 << 3;
        QTest::newRow("more records than the bar's start maximum") << 250 << 250;
    }

    void sortCommand()
    {
        QFETCH(int, records);
        QFETCH(int, maximum);
        for (int i = records; i > 0; --i)
            addRecord(Zoznam, "Album " + std::to_string(1000 + i));
        TypTriedenia = 2;
        action("Triedenie1")->trigger();
        std::string expected;
        for (int i = 1; i <= records; ++i)
            expected += (i > 1 ? "," : "") + ("Album " + std::to_string(1000 + i));
        QCOMPARE(names(Zoznam), expected);
        auto *bar = form->findChild<QProgressBar *>("ProgressBar");
        QCOMPARE(bar->value(), 0);
        QCOMPARE(bar->maximum(), maximum);
        QVERIFY(flag());
        QCOMPARE(count(), QString("0")); // the sort leaves the count label alone
    }

    void exceptionInACommandIsShownAndTheProgramGoesOn()
    {
        asker->onFileDialog = [] { throw std::runtime_error("Dialog sa nepodarilo otvorit"); };
        addRecord(Zoznam, "Album");
        action("Open")->trigger();
        QCOMPARE(asker->boxes.size(), 1);
        QCOMPARE(asker->boxes[0].text, QString("Dialog sa nepodarilo otvorit"));
        QCOMPARE(asker->boxes[0].caption, QString("Platnovnik"));
        QCOMPARE(asker->boxes[0].flags, Box::Ok | Box::IconStop);
        QCOMPARE(Zoznam.PocetCd, 1);
        // The window still takes commands.
        action("Triedenie1")->trigger();
        QVERIFY(flag());
    }
};

PLATNOVNIK_TEST_MAIN(TstMainForm, unusedAsker)
#include "tst_mainform.moc"
