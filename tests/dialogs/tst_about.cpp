#include "DialogTest.h"

#include "dialogs/About.h"

using namespace DialogTest;

class TestAbout : public QObject {
    Q_OBJECT

  private slots:
    void layout()
    {
        TAboutForm dialog;
        // Client size: the designed 427 x 311 less a 4-pixel frame and a 19-pixel title bar.
        checkLayout(dialog, "AboutForm", "O programe", {228, 315}, {419, 284}, true,
                    {{"Button", "QPushButton", "AboutForm", {176, 256, 75, 25}, "OK"},
                     {"Memo", "QPlainTextEdit", "AboutForm", {8, 8, 401, 241}, "Memo"}});
        auto *memo = dialog.findChild<QPlainTextEdit *>("Memo");
        QVERIFY(!memo->isReadOnly());
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void typedTextStaysForTheNextShowing_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("closed by OK") << true;
        QTest::newRow("closed by the close box") << false;
    }

    void typedTextStaysForTheNextShowing()
    {
        QFETCH(bool, byButton);
        TAboutForm dialog;
        auto *memo = dialog.findChild<QPlainTextEdit *>("Memo");
        QVERIFY(execWith(dialog, [&] {
            QTest::keyClick(memo, Qt::Key_End);
            QTest::keyClicks(memo, " a viac");
            QTest::keyClick(memo, Qt::Key_Return);
            QTest::keyClicks(memo, "riadkov");
            if (byButton)
                dialog.findChild<QPushButton *>("Button")->click();
            else
                dialog.close();
        }));
        QString shown;
        QVERIFY(execWith(dialog, [&] {
            shown = memo->toPlainText();
            dialog.close();
        }));
        QCOMPARE(shown, QStringLiteral("Memo a viac\nriadkov"));
    }

    void keys_data()
    {
        addKeyColumns();
        QTest::newRow("Escape on OK") << "Button" << int(Qt::Key_Escape) << false;
        QTest::newRow("Escape in the memo") << "Memo" << int(Qt::Key_Escape) << false;
        QTest::newRow("Enter on OK") << "Button" << int(Qt::Key_Return) << true;
    }

    void keys()
    {
        TAboutForm dialog;
        pressRowKey(dialog);
        QCOMPARE(dialog.findChild<QPlainTextEdit *>("Memo")->toPlainText(), QStringLiteral("Memo"));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
