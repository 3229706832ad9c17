// The layer over Qt: the real message box and file dialogs answer as the commands expect,
// exceptions are shown and the program goes on, and a failed start-up ends with 0.
#include "FakeAsker.h"
#include "TestMain.h"

#include "app/Application.h"
#include "app/FileDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <stdexcept>

namespace {

FakeAsker shownExceptions;

// Types a name into a file dialog and presses Enter, as the user does.
void typeAndAccept(QFileDialog *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Runs `drive` on the modal window as soon as it is up; what it finds is checked after.
void whenModal(std::function<void(QWidget *)> drive)
{
    auto *timer = new QTimer;
    auto *started = new QElapsedTimer;
    started->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, started, drive] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && started->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        delete started;
        if (modal)
            drive(modal);
    });
    timer->start();
}

class Thrower : public QObject {
  public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("Chyba v udalosti");
        return QObject::event(event);
    }
};

// Counts the close events it gets.
class CountingForm : public QWidget {
  public:
    using QWidget::QWidget;
    int closeEvents = 0;

  protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closeEvents;
        QWidget::closeEvent(event);
    }
};

class FailingForm : public QWidget {
  public:
    explicit FailingForm(QWidget *parent = nullptr) : QWidget(parent)
    {
        throw std::runtime_error("Okno sa nepodarilo vytvorit");
    }
};

} // namespace

using Action = std::function<void(QMessageBox *)>;
Q_DECLARE_METATYPE(Action)

class TstToolkit : public QObject {
    Q_OBJECT
  private slots:
    void init() { shownExceptions.boxes.clear(); }

    void filter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("description already names its pattern") << "Platnovnik (*.pln)|*.pln"
                                                               << "Platnovnik (*.pln)";
        QTest::newRow("bare description gets the pattern") << "Platnovnik|*.pln"
                                                           << "Platnovnik (*.pln)";
        QTest::newRow("several patterns, several pairs") << "Texty|*.txt;*.pln|Vsetko (*.*)|*.*"
                                                         << "Texty (*.txt *.pln);;Vsetko (*.*)";
        QTest::newRow("description without pattern is dropped") << "Platnovnik"
                                                                << "";
    }

    void filter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(toQtFilter(filter), qt);
    }

    void messageBox_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("result");
        const Action escape = [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); };
        const Action enter = [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Return); };
        const Action closeBox = [](QMessageBox *box) { box->close(); };
        const Action clickOk = [](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); };
        const Action clickCancel = [](QMessageBox *box) {
            box->button(QMessageBox::Cancel)->click();
        };
        QTest::newRow("OK gives 1") << 0x31 << clickOk << 1;
        QTest::newRow("Cancel gives 2") << 0x31 << clickCancel << 2;
        QTest::newRow("Escape gives 2") << 0x31 << escape << 2;
        QTest::newRow("close box gives 2") << 0x31 << closeBox << 2;
        QTest::newRow("Enter presses OK") << 0x31 << enter << 1;
        QTest::newRow("OK-only box: Escape gives OK") << 0x30 << escape << 1;
    }

    void messageBox()
    {
        QFETCH(int, flags);
        QFETCH(Action, action);
        QFETCH(int, result);
        QtAsker asker;
        QString title, text;
        int icon = -1;
        int buttons = 0;
        whenModal([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box)
                return modal->close(), void();
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = int(box->buttons().size());
            action(box);
        });
        QCOMPARE(asker.messageBox(nullptr, "Nemas Ulozene data! \nChces naozaj skoncit?", "Pozor!",
                                  flags),
                 result);
        QCOMPARE(title, QString("Pozor!"));
        QCOMPARE(text, QString("Nemas Ulozene data! \nChces naozaj skoncit?"));
        QCOMPARE(icon, int(QMessageBox::Warning));
        QCOMPARE(buttons, (flags & 0x0F) == 1 ? 2 : 1);
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void openDialogReturnsTheChosenFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("zbierka.pln");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        QtAsker asker;
        FileDialog dialog(FileQuestion::Kind::Open, asker, nullptr);
        dialog.Filter = "Platnovnik (*.pln)|*.pln";
        dialog.DefaultExt = "pln";
        QStringList filters;
        QString suffix;
        whenModal([&](QWidget *modal) {
            auto *fileDialog = qobject_cast<QFileDialog *>(modal);
            if (!fileDialog)
                return modal->close(), void();
            filters = fileDialog->nameFilters();
            suffix = fileDialog->defaultSuffix();
            fileDialog->setDirectory(dir.path());
            typeAndAccept(fileDialog, "zbierka.pln");
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.FileName, path);
        QCOMPARE(filters, QStringList{"Platnovnik (*.pln)"});
        QCOMPARE(suffix, QString("pln"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void saveDialogAddsTheExtensionAndAsksBeforeClosing()
    {
        QTemporaryDir dir;
        QtAsker asker;
        FileDialog dialog(FileQuestion::Kind::Save, asker, nullptr);
        dialog.Filter = "Platnovnik (*.pln)|*.pln";
        dialog.DefaultExt = "pln";
        int asked = 0;
        dialog.OnCanClose = [&](bool &canClose) {
            // The first time the dialog is kept open, the second time it may close.
            canClose = ++asked > 1;
        };
        bool stayedOpen = false;
        whenModal([&](QWidget *modal) {
            auto *fileDialog = qobject_cast<QFileDialog *>(modal);
            if (!fileDialog)
                return modal->close(), void();
            fileDialog->setDirectory(dir.path());
            typeAndAccept(fileDialog, "nova");
            stayedOpen = fileDialog->isVisible();
            typeAndAccept(fileDialog, "nova");
        });
        QVERIFY(dialog.Execute());
        QVERIFY(stayedOpen);
        QCOMPARE(asked, 2);
        QCOMPARE(dialog.FileName, dir.filePath("nova.pln"));
    }

    void cancelledDialogKeepsTheOldName()
    {
        QtAsker asker;
        FileDialog dialog(FileQuestion::Kind::Open, asker, nullptr);
        dialog.FileName = "/predtym.pln";
        whenModal([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QVERIFY(!dialog.Execute());
        QCOMPARE(dialog.FileName, QString("/predtym.pln"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void exceptionFromAnEventIsShownAndTheProgramGoesOn()
    {
        Thrower thrower;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&thrower, &event));
        QCOMPARE(shownExceptions.boxes.size(), 1);
        QCOMPARE(shownExceptions.boxes[0].text, QString("Chyba v udalosti"));
        QCOMPARE(shownExceptions.boxes[0].caption, QString("Platnovnik"));
        // The next event is dispatched as usual.
        QEvent again(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&thrower, &again));
        QCOMPARE(shownExceptions.boxes.size(), 2);
    }

    void failedStartUpIsShownOnceAndReturnsZero()
    {
        auto *app = static_cast<Application *>(QCoreApplication::instance());
        QWidget *first = nullptr;
        FailingForm *second = nullptr;
        QWidget *third = nullptr;
        QPointer<QWidget> made;
        const int code = app->Start([&] {
            app->CreateForm(first);
            made = first;
            app->CreateForm(second);
            app->CreateForm(third);
        });
        QCOMPARE(code, 0);
        QCOMPARE(shownExceptions.boxes.size(), 1);
        QCOMPARE(shownExceptions.boxes[0].text, QString("Okno sa nepodarilo vytvorit"));
        QVERIFY(!second);
        QVERIFY(!third);        // the windows after the failure are not created
        QVERIFY(made.isNull()); // and the one before it is destroyed
    }

    void startUpRunsUntilTerminate()
    {
        auto *app = static_cast<Application *>(QCoreApplication::instance());
        CountingForm *main = nullptr;
        CountingForm *dialog = nullptr;
        bool shownWhileRunning = false;
        QPointer<QWidget> mainAlive, dialogAlive;
        const int code = app->Start([&] {
            app->CreateForm(main);
            app->CreateForm(dialog);
            mainAlive = main;
            dialogAlive = dialog;
            QTimer::singleShot(0, app, [&] {
                shownWhileRunning = main->isVisible() && !dialog->isVisible();
                app->Terminate();
            });
        });
        QCOMPARE(code, 0);
        QVERIFY(shownWhileRunning);
        // Ending this way asks no window whether it may close, so nothing asks twice.
        QCOMPARE(main->closeEvents, 0);
        QCOMPARE(dialog->closeEvents, 0);
        QCOMPARE(app->mainForm(), main);
        QVERIFY(shownExceptions.boxes.isEmpty());
        // The windows live until the application object goes.
        QVERIFY(mainAlive && dialogAlive);
    }
};

PLATNOVNIK_TEST_MAIN(TstToolkit, shownExceptions)
#include "tst_toolkit.moc"
