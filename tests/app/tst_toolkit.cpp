// The layer over Qt: the real message box and file dialogs answer as the commands expect,
// exceptions are shown and the program goes on, and start-up always ends with 0.
#include "AppTest.h"

#include "toolkit/FileDialog.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include <stdexcept>

namespace {

FakeAsker shownExceptions;

// Types a name into a file dialog and presses Enter, as the user does.
void typeAndAccept(QWidget *modal, const QString &name)
{
    auto *edit = modal->findChild<QLineEdit *>("fileNameEdit");
    QVERIFY(edit);
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
}

struct Thrower : QObject {
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("Chyba v udalosti");
        return QObject::event(event);
    }
};

struct CountingForm : QWidget {
    using QWidget::QWidget;
    int closeEvents = 0;
    void closeEvent(QCloseEvent *event) override { ++closeEvents, QWidget::closeEvent(event); }
};

struct FailingForm : QWidget {
    explicit FailingForm(QWidget *) { throw std::runtime_error("Okno sa nepodarilo vytvorit"); }
};

} // namespace

class TstToolkit : public QObject {
    Q_OBJECT

    Application *app() { return static_cast<Application *>(QCoreApplication::instance()); }

  private slots:
    void init() { shownExceptions.boxes.clear(); }

    void messageBox_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("result");
        const auto row = [](int flags, const char *press, int result) {
            QTest::addRow("%s on a box 0x%x gives %d", press, flags, result)
                << flags << QString(press) << result;
        };
        row(0x31, "OK", 1);
        row(0x31, "Cancel", 2);
        row(0x31, "Escape", 2);
        row(0x31, "close box", 2);
        row(0x31, "Enter", 1);
        row(0x30, "Escape", 1);
    }

    void messageBox()
    {
        QFETCH(int, flags);
        QFETCH(QString, press);
        QFETCH(int, result);
        QString seen;
        whenModal([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box)
                return void(modal->close());
            seen = QString("%1|%2|%3|%4")
                       .arg(box->windowTitle(), box->text())
                       .arg(box->icon())
                       .arg(box->buttons().size());
            if (press == "close box")
                box->close();
            else if (press == "Escape" || press == "Enter")
                QTest::keyClick(box, press == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
            else
                box->button(press == "OK" ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        });
        const QString text = "Nemas Ulozene data! \nChces naozaj skoncit?";
        QCOMPARE(QtAsker().messageBox(nullptr, text, "Pozor!", flags), result);
        QCOMPARE(
            seen,
            QString("Pozor!|%1|%2|%3").arg(text).arg(QMessageBox::Warning).arg(flags & 1 ? 2 : 1));
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void fileDialog()
    {
        QTemporaryDir dir;
        QtAsker asker;
        FileDialog dialog(FileQuestion::Kind::Save, asker, nullptr);
        dialog.Filter = "Platnovnik (*.pln)|*.pln";
        dialog.DefaultExt = "pln";
        int asked = 0;
        dialog.OnCanClose = [&](bool &canClose) { canClose = ++asked > 1; }; // no, then yes
        QString seen;
        whenModal([&](QWidget *modal) {
            auto *fileDialog = qobject_cast<QFileDialog *>(modal);
            fileDialog->setDirectory(dir.path());
            typeAndAccept(modal, "nova");
            seen = fileDialog->nameFilters().join(";;") + '|' + fileDialog->defaultSuffix() + '|' +
                   (modal->isVisible() ? "kept open" : "closed");
            typeAndAccept(modal, "nova");
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(seen, QString("Platnovnik (*.pln)|pln|kept open"));
        QCOMPARE(asked, 2);
        QCOMPARE(dialog.FileName, dir.filePath("nova.pln"));
        // Cancelled, it keeps the name it had.
        whenModal([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QVERIFY(!dialog.Execute());
        QCOMPARE(dialog.FileName, dir.filePath("nova.pln"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void exceptionFromAnEventIsShownAndTheProgramGoesOn()
    {
        Thrower thrower;
        for (int i = 1; i <= 2; ++i) {
            QEvent event(QEvent::User);
            QVERIFY(!QCoreApplication::sendEvent(&thrower, &event));
            QCOMPARE(shownExceptions.boxes.size(), i);
        }
        QCOMPARE(shownExceptions.boxes[0].text, QString("Chyba v udalosti"));
        QCOMPARE(shownExceptions.boxes[0].caption, QString("Platnovnik"));
    }

    void failedStartUpIsShownOnceAndReturnsZero()
    {
        QWidget *first = nullptr, *third = nullptr;
        FailingForm *second = nullptr;
        QPointer<QWidget> made;
        const int code = app()->Start([&] {
            app()->CreateForm(first);
            made = first;
            app()->CreateForm(second);
            app()->CreateForm(third);
        });
        QCOMPARE(code, 0);
        QCOMPARE(shownExceptions.boxes.size(), 1);
        QCOMPARE(shownExceptions.boxes[0].text, QString("Okno sa nepodarilo vytvorit"));
        QVERIFY(!second && !third); // the windows after the failure are not created
        QVERIFY(made.isNull());     // and the one before it is destroyed
    }

    void startUpRunsUntilTerminate()
    {
        CountingForm *main = nullptr, *dialog = nullptr;
        bool shownWhileRunning = false;
        const int code = app()->Start([&] {
            app()->CreateForm(main);
            app()->CreateForm(dialog);
            QTimer::singleShot(0, app(), [&] {
                shownWhileRunning = main->isVisible() && !dialog->isVisible();
                app()->Terminate();
            });
        });
        QCOMPARE(code, 0);
        QVERIFY(shownWhileRunning);
        // Ending this way asks no window whether it may close, so nothing asks twice.
        QCOMPARE(main->closeEvents + dialog->closeEvents, 0);
        QCOMPARE(app()->mainForm(), main);
        QVERIFY(shownExceptions.boxes.isEmpty());
    }
};

PLATNOVNIK_TEST_MAIN(TstToolkit, shownExceptions)
#include "tst_toolkit.moc"
