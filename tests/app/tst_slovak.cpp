// Run in a Slovak session: what Qt draws comes out Slovak, the file dialogs ask nothing of
// their own, the loss warning names a field as the entry dialog labels its box, and no
// exception's English text is shown.
#include "app/Messages.h"
#include "core/ZoznamCD.h"
#include "toolkit/Application.h"
#include "toolkit/FileDialog.h"

#include <QtTest>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <stdexcept>

class TstSlovak : public QObject {
    Q_OBJECT

  private slots:
    // Save over a file that is there, Open a name that is not: both close with it at once, and
    // Qt's own words on them are Slovak. Filters are written as the design writes them, in pairs
    // of description and patterns.
    void fileDialogsAskNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("zbierka.pln");
        QString asked;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                asked += box->text(), box->done(0);
        });
        answer.start(10);
        QCOMPARE(toQtFilter("Obrazky|*.png;*.jpg|Vsetko (*)|*"),
                 "Obrazky (*.png *.jpg);;Vsetko (*)");
        for (auto kind : {FileQuestion::Kind::Save, FileQuestion::Kind::Open}) {
            QFile file(path);
            QVERIFY(kind == FileQuestion::Kind::Save ? file.open(QIODevice::WriteOnly)
                                                     : file.remove());
            QFileDialog dialog;
            setUpFileDialog(dialog, {kind, "Platnovnik (*.pln)", "pln", {}});
            QCOMPARE(
                dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text(),
                QString("Zrušiť"));
            dialog.selectFile(path);
            static_cast<QDialog &>(dialog).accept(); // as its Open or Save button does
            QCOMPARE(asked, QString());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
    }

    void lossWarningNamesTheBox()
    {
        // clang-format off
        for (const auto &[pole, text, said] : {std::tuple{Pole::DatumPozicania, "0", "Pozicane OD je"},
                 {Pole::DatumVratenia, "1|2", "Pozicane DO obsahuje"}, {Pole::NazovCD, "0", "Nazov CD je"},
                 {Pole::Pesnicky, "a|b|0|d|e|f|g|h|i|j|", "Pesnicky 3 je"}, {Pole::Pesnicky, "a|b|", "Pesnicky obsahuje"},
                 {Pole::Pesnicky, "a|0|c|0|e|f|g|h|i|j|", "Pesnicky 2 je"},
                 {Pole::Pesnicky, "7 dni|b|c|d|e|f|g|h|i|j|", "Pesnicky 1 zacina"}}) {
            // clang-format on
            ZoznamCD zoznam;
            zoznam.PripojZaznam(new ZaznamCD);
            zoznam.Prvy->setText(pole, text);
            const QString warning = Messages::lossWarning("a.pln", *NajdiStratu(zoznam));
            QVERIFY2(warning.startsWith(QString("Zaznam 1, pole %1 ").arg(said)),
                     qPrintable(warning));
        }
    }

    // What ended a command is told in the program's words, never in an exception's English.
    void failuresInSlovak()
    {
        struct : Asker {
            QString said;
            int messageBox(QWidget *, const QString &text, const QString &, int) override
            {
                return said = text, 0;
            }
            QString fileName(QWidget *, const FileQuestion &) override { return {}; }
        } asker;
        for (const auto &[thrown, said] :
             {std::pair{std::make_exception_ptr(std::length_error("long")), "Text je prilis dlhy."},
              {std::make_exception_ptr(std::bad_alloc()), "Nedostatok pamate."},
              {std::make_exception_ptr(std::runtime_error("English")), "Neznama chyba."}}) {
            ShowException(asker, nullptr, thrown);
            QCOMPARE(asker.said, QString(said));
        }
    }
};

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    app.Initialize(); // where Qt's catalogue is loaded
    TstSlovak test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_slovak.moc"
