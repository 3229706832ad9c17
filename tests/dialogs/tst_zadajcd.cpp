#include "DialogTest.h"

#include "app/CodePage.h"
#include "dialogs/Zadajcd.h"

#include <QPushButton>
#include <QStatusBar>

using namespace DialogTest;

namespace {

QLineEdit *edit(QDialog &dialog, int number)
{
    return dialog.findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(number));
}

// What a record entered with nothing typed holds.
const std::string kInitialSongs =
    "Song01|Song02|Song03|Song04|Son05|Song06|Song07|Song08|Song09|Song10|";

} // namespace

class TestZadajCd : public QObject {
    Q_OBJECT

  private slots:
    void init() { TextPesniciek.clear(); }

    void window()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        checkWindow(&dialog, "FormZadajCd", "Zadaj Cd", {357, 172}, {485, 292}, false);
    }

    void layout_data()
    {
        addLayoutColumns();
        const QString w = QStringLiteral("FormZadajCd");
        QTest::newRow("Label1") << "QLabel" << w << QRect(16, 8, 43, 13) << "Pesnicky";
        QTest::newRow("Label2") << "QLabel" << w << QRect(176, 8, 43, 13) << "Autor CD";
        QTest::newRow("Label3") << "QLabel" << w << QRect(176, 56, 49, 13) << "Nazov CD";
        QTest::newRow("Label4") << "QLabel" << w << QRect(176, 104, 36, 13) << "Typ CD";
        QTest::newRow("Label5") << "QLabel" << w << QRect(176, 152, 63, 13) << "Pozicane OD";
        QTest::newRow("Label6") << "QLabel" << w << QRect(312, 152, 63, 13) << "Pozicane DO";
        QTest::newRow("Label7") << "QLabel" << w << QRect(176, 208, 99, 13)
                                << "Meno   a   Priezvisko";
        const char *songs[] = {"Song01", "Song02", "Song03", "Song04", "Son05",
                               "Song06", "Song07", "Song08", "Song09", "Song10"};
        for (int i = 0; i < 10; ++i) {
            QTest::newRow(qPrintable(QStringLiteral("Edit%1").arg(i + 1)))
                << "QLineEdit" << w << QRect(16, 24 + 24 * i, 121, 21) << songs[i];
        }
        QTest::newRow("Edit11") << "QLineEdit" << w << QRect(176, 24, 121, 21) << "";
        QTest::newRow("Edit12") << "QLineEdit" << w << QRect(176, 72, 121, 21) << "";
        QTest::newRow("Edit13") << "QLineEdit" << w << QRect(176, 120, 121, 21) << "";
        QTest::newRow("UlozBtn") << "QPushButton" << w << QRect(400, 240, 75, 25) << "Uloz";
        QTest::newRow("Edit14") << "QLineEdit" << w << QRect(176, 168, 89, 21) << "01.01.2001";
        QTest::newRow("Edit15") << "QLineEdit" << w << QRect(312, 168, 97, 21) << "31.12.2100";
        QTest::newRow("Edit16") << "QLineEdit" << w << QRect(176, 224, 81, 21) << "";
        QTest::newRow("Edit17") << "QLineEdit" << w << QRect(256, 224, 121, 21) << "";
        QTest::newRow("StatusBar1") << "QStatusBar" << w << QRect(0, 273, 485, 19) << "";
    }

    void layout()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        checkLayoutRow(&dialog);
    }

    void statusBarIsEmptyAndHasNoGrip()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        auto *bar = dialog.findChild<QStatusBar *>("StatusBar1");
        QVERIFY(bar);
        QVERIFY(!bar->isSizeGripEnabled());
        QVERIFY(bar->currentMessage().isEmpty());
        QCOMPARE(bar->focusPolicy(), Qt::NoFocus);
    }

    void tabOrderPutsUlozBetweenEdit13AndEdit14()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        QStringList expected;
        for (int i = 1; i <= 13; ++i)
            expected << QStringLiteral("Edit%1").arg(i);
        expected << "UlozBtn";
        for (int i = 14; i <= 17; ++i)
            expected << QStringLiteral("Edit%1").arg(i);
        QCOMPARE(tabChain(&dialog), expected);

        // The same with real Tab presses, from the box that has the focus at first.
        QVERIFY(showActive(dialog));
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            visited << dialog.focusWidget()->objectName();
            pressKey(dialog, Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessible");
        for (int i = 1; i <= 10; ++i)
            QTest::newRow(qPrintable(QStringLiteral("Edit%1").arg(i)))
                << QStringLiteral("Edit%1").arg(i) << QStringLiteral("Pesnicky %1").arg(i);
        QTest::newRow("Edit11") << "Edit11"
                                << "Autor CD";
        QTest::newRow("Edit12") << "Edit12"
                                << "Nazov CD";
        QTest::newRow("Edit13") << "Edit13"
                                << "Typ CD";
        QTest::newRow("Edit14") << "Edit14"
                                << "Pozicane OD";
        QTest::newRow("Edit15") << "Edit15"
                                << "Pozicane DO";
        QTest::newRow("Edit16") << "Edit16"
                                << "Meno";
        QTest::newRow("Edit17") << "Edit17"
                                << "Priezvisko";
        QTest::newRow("UlozBtn") << "UlozBtn"
                                 << "Uloz";
    }

    void accessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, accessible);
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        auto *control = dialog.findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->accessibleName(), accessible);
    }

    // Typing goes through the validator; characters Windows-1250 lacks never arrive.
    void boxesRefuseWhatTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("Slovak letters are kept")
            << QString::fromUtf8("Ľudovít Štúr") << QString::fromUtf8("Ľudovít Štúr");
        QTest::newRow("euro sign is in the code page")
            << QString::fromUtf8("5€") << QString::fromUtf8("5€");
        QTest::newRow("Cyrillic is refused") << QString::fromUtf8("aЖb") << "ab";
        QTest::newRow("CJK is refused") << QString::fromUtf8("中x") << "x";
    }

    void boxesRefuseWhatTheFileCannotHold()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        QVERIFY(showActive(dialog));
        for (int i = 1; i <= 17; ++i) {
            QLineEdit *box = edit(dialog, i);
            QVERIFY(box->validator());
            box->clear();
            box->setFocus();
            typeText(box, typed);
            QCOMPARE(box->text(), kept);
        }
    }

    void firstUlozWithNothingTypedGivesTheBoxesDefaults()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        QVERIFY(execWith(dialog, [&] { dialog.findChild<QPushButton *>("UlozBtn")->click(); }));
        QCOMPARE(zoznam.PocetCd, 1);
        QVERIFY(zoznam.Prvy);
        QCOMPARE(zoznam.Aktualny, zoznam.Prvy);
        const ZaznamCD &z = *zoznam.Prvy;
        QCOMPARE(z.Pesnicky, kInitialSongs);
        QCOMPARE(TextPesniciek, kInitialSongs);
        QCOMPARE(z.AutorCD, std::string());
        QCOMPARE(z.NazovCD, std::string());
        QCOMPARE(z.TypCD, std::string());
        QCOMPARE(z.Meno, std::string());
        QCOMPARE(z.Priezvisko, std::string());
        QCOMPARE(z.DatumPozicania, std::string("01.01.2001"));
        QCOMPARE(z.DatumVratenia, std::string("31.12.2100"));
        QVERIFY(!z.Dalsi);
    }

    void eachBoxFeedsItsField()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        for (int i = 1; i <= 17; ++i)
            edit(dialog, i)->setText(QStringLiteral("t%1").arg(i));
        dialog.show();
        dialog.findChild<QPushButton *>("UlozBtn")->click();
        QVERIFY(!dialog.isVisible());
        const ZaznamCD &z = *zoznam.Prvy;
        QCOMPARE(z.Pesnicky, std::string("t1|t2|t3|t4|t5|t6|t7|t8|t9|t10|"));
        QCOMPARE(z.AutorCD, std::string("t11"));
        QCOMPARE(z.NazovCD, std::string("t12"));
        QCOMPARE(z.TypCD, std::string("t13"));
        QCOMPARE(z.DatumPozicania, std::string("t14"));
        QCOMPARE(z.DatumVratenia, std::string("t15"));
        QCOMPARE(z.Meno, std::string("t16"));
        QCOMPARE(z.Priezvisko, std::string("t17"));
    }

    void textsAreStoredAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("blanks around are kept") << "  Meno " << QByteArray("  Meno ");
        QTest::newRow("empty stays empty") << "" << QByteArray();
        QTest::newRow("diacritics become Windows-1250 bytes") << QString::fromUtf8("Šťastná Žofia")
                                                              << QByteArray("\x8a\x9d"
                                                                            "astn\xe1 \x8e"
                                                                            "ofia");
        QTest::newRow("a bar is kept, not escaped") << "a|b" << QByteArray("a|b");
    }

    void textsAreStoredAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        QVERIFY(showActive(dialog));
        QLineEdit *meno = edit(dialog, 16);
        meno->clear();
        meno->setFocus();
        typeText(meno, typed);
        dialog.findChild<QPushButton *>("UlozBtn")->click();
        QCOMPARE(QByteArray::fromStdString(zoznam.Prvy->Meno), stored);
    }

    void emptySongBoxesGiveEmptyTitles_data()
    {
        QTest::addColumn<QList<int>>("emptied");
        QTest::addColumn<QByteArray>("songs");
        QTest::newRow("empty first box starts with a bar")
            << QList<int>{1}
            << QByteArray("|Song02|Song03|Song04|Son05|Song06|Song07|Song08|Song09|Song10|");
        QTest::newRow("two adjacent empty boxes give three bars")
            << QList<int>{3, 4}
            << QByteArray("Song01|Song02|||Son05|Song06|Song07|Song08|Song09|Song10|");
        QTest::newRow("empty last box ends with two bars")
            << QList<int>{10}
            << QByteArray("Song01|Song02|Song03|Song04|Son05|Song06|Song07|Song08|Song09||");
        QTest::newRow("all empty gives ten bars")
            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << QByteArray("||||||||||");
    }

    void emptySongBoxesGiveEmptyTitles()
    {
        QFETCH(QList<int>, emptied);
        QFETCH(QByteArray, songs);
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        for (int i : emptied)
            edit(dialog, i)->clear();
        dialog.findChild<QPushButton *>("UlozBtn")->click();
        QCOMPARE(QByteArray::fromStdString(zoznam.Prvy->Pesnicky), songs);
        QCOMPARE(QByteArray::fromStdString(TextPesniciek), songs);
    }

    void ulozTwiceGivesTwoEqualRecordsBehindTheOldOnes()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(new ZaznamCD);
        ZaznamCD *old = zoznam.Prvy;
        TFormZadajCd dialog(nullptr, zoznam);
        edit(dialog, 11)->setText("Autor");
        auto *uloz = dialog.findChild<QPushButton *>("UlozBtn");
        QVERIFY(execWith(dialog, [&] { uloz->click(); }));
        // The next showing finds the boxes as they were left.
        QCOMPARE(edit(dialog, 11)->text(), QStringLiteral("Autor"));
        QCOMPARE(edit(dialog, 5)->text(), QStringLiteral("Son05"));
        QVERIFY(execWith(dialog, [&] { uloz->click(); }));

        QCOMPARE(zoznam.PocetCd, 3);
        QCOMPARE(zoznam.Prvy, old);
        const ZaznamCD *first = old->Dalsi;
        QVERIFY(first && first->Dalsi);
        const ZaznamCD *second = first->Dalsi;
        QCOMPARE(zoznam.Aktualny, second);
        QVERIFY(!second->Dalsi);
        QVERIFY(first != second);
        QCOMPARE(second->AutorCD, std::string("Autor"));
        for (auto field : {&ZaznamCD::Pesnicky, &ZaznamCD::NazovCD, &ZaznamCD::AutorCD,
                           &ZaznamCD::TypCD, &ZaznamCD::DatumPozicania, &ZaznamCD::Meno,
                           &ZaznamCD::Priezvisko, &ZaznamCD::DatumVratenia})
            QCOMPARE(first->*field, second->*field);
        // The record that was there keeps its defaults.
        QCOMPARE(old->AutorCD, ZaznamCD().AutorCD);
    }

    void closeBoxAppendsNothingAndKeepsTheTexts()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        auto *uloz = dialog.findChild<QPushButton *>("UlozBtn");
        edit(dialog, 1)->setText("Prva");
        QVERIFY(execWith(dialog, [&] { uloz->click(); }));
        const std::string composed = TextPesniciek;

        edit(dialog, 1)->setText("Zmenena");
        edit(dialog, 17)->setText("Novak");
        QVERIFY(execWith(dialog, [&] { dialog.close(); }));
        QCOMPARE(zoznam.PocetCd, 1);
        QCOMPARE(TextPesniciek, composed);
        QCOMPARE(edit(dialog, 1)->text(), QStringLiteral("Zmenena"));
        QCOMPARE(edit(dialog, 17)->text(), QStringLiteral("Novak"));
    }

    void closeBoxBeforeAnyUlozLeavesTheSongsTextEmpty()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        QVERIFY(execWith(dialog, [&] { dialog.close(); }));
        QCOMPARE(zoznam.PocetCd, 0);
        QVERIFY(!zoznam.Prvy);
        QVERIFY(TextPesniciek.empty());
    }

    // Neither key may store a record or close the window, wherever the focus is.
    void enterAndEscapeDoNothing_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::newRow("Enter in a song box") << "Edit3" << int(Qt::Key_Return);
        QTest::newRow("keypad Enter in a date box") << "Edit15" << int(Qt::Key_Enter);
        QTest::newRow("Escape in a name box") << "Edit16" << int(Qt::Key_Escape);
        QTest::newRow("Escape on Uloz") << "UlozBtn" << int(Qt::Key_Escape);
    }

    void enterAndEscapeDoNothing()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        QVERIFY(showActive(dialog));
        dialog.findChild<QWidget *>(focus)->setFocus();
        pressKey(dialog, Qt::Key(key));
        QVERIFY(dialog.isVisible());
        QCOMPARE(zoznam.PocetCd, 0);
        QVERIFY(TextPesniciek.empty());
    }

    void focusedUlozIsPressedBySpaceAndEnter_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }

    void focusedUlozIsPressedBySpaceAndEnter()
    {
        QFETCH(int, key);
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        QVERIFY(showActive(dialog));
        dialog.findChild<QWidget *>("UlozBtn")->setFocus();
        pressKey(dialog, Qt::Key(key));
        QCOMPARE(zoznam.PocetCd, 1);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestZadajCd)
#include "tst_zadajcd.moc"
