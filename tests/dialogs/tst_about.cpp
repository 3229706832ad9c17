#include "DialogTest.h"

#include "dialogs/About.h"

#include <QPushButton>

using namespace DialogTest;

class TestAbout : public QObject {
    Q_OBJECT

  private slots:
    void window()
    {
        TAboutForm dialog;
        // Client size: the designed 427 x 311 less a 4-pixel frame and a 19-pixel title bar.
        checkWindow(&dialog, "AboutForm", "O programe", {228, 315}, {419, 284}, true);
    }

    void layout_data()
    {
        addLayoutColumns();
        QTest::newRow("Button") << "QPushButton"
                                << "AboutForm" << QRect(176, 256, 75, 25) << "OK";
        QTest::newRow("Memo") << "QPlainTextEdit"
                              << "AboutForm" << QRect(8, 8, 401, 241) << "Memo";
    }

    void layout()
    {
        TAboutForm dialog;
        checkLayoutRow(&dialog);
    }

    void memoIsEditableWrapsAndHasNoScrollBars()
    {
        TAboutForm dialog;
        auto *memo = dialog.findChild<QPlainTextEdit *>("Memo");
        QVERIFY(!memo->isReadOnly());
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(memo->document()->blockCount(), 1);
        QCOMPARE(memo->accessibleName(), QStringLiteral("Memo"));
        QCOMPARE(dialog.findChild<QPushButton *>("Button")->accessibleName(), QStringLiteral("OK"));
        QCOMPARE(tabChain(&dialog), QStringList({"Button", "Memo"}));
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
            memo->setFocus();
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

    void escapeDoesNotClose_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("on OK") << "Button";
        QTest::newRow("in the memo") << "Memo";
    }

    void escapeDoesNotClose()
    {
        QFETCH(QString, focus);
        TAboutForm dialog;
        QVERIFY(showActive(dialog));
        dialog.findChild<QWidget *>(focus)->setFocus();
        pressKey(dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
    }

    // OK has the focus at the first showing, so Enter presses it.
    void enterAtFirstShowingPressesOk()
    {
        TAboutForm dialog;
        QVERIFY(showActive(dialog));
        QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("Button"));
        pressKey(dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.findChild<QPlainTextEdit *>("Memo")->toPlainText(), QStringLiteral("Memo"));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
