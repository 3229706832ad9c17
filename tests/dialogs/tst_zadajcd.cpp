#include "DialogTest.h"

#include "dialogs/Zadajcd.h"

#include <QStatusBar>

using namespace DialogTest;

namespace {

QLineEdit *edit(QDialog &dialog, int number)
{
    return dialog.findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(number));
}

void uloz(QDialog &dialog)
{
    dialog.findChild<QPushButton *>("UlozBtn")->click();
}

std::vector<std::string> fieldsOf(const ZaznamCD &z)
{
    std::vector<std::string> fields;
    for (Pole p : {Pole::Pesnicky, Pole::AutorCD, Pole::NazovCD, Pole::TypCD, Pole::DatumPozicania,
                   Pole::DatumVratenia, Pole::Meno, Pole::Priezvisko})
        fields.emplace_back(z.text(p));
    return fields;
}

} // namespace

class TestZadajCd : public QObject {
    Q_OBJECT

  private slots:
    void init() { TextPesniciek.clear(); }

    void layout()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        const char *w = "FormZadajCd";
        std::vector<Control> controls = {
            {"Label1", "QLabel", w, {16, 8, 43, 13}, "Pesnicky"},
            {"Label2", "QLabel", w, {176, 8, 43, 13}, "Autor CD"},
            {"Label3", "QLabel", w, {176, 56, 49, 13}, "Nazov CD"},
            {"Label4", "QLabel", w, {176, 104, 36, 13}, "Typ CD"},
            {"Label5", "QLabel", w, {176, 152, 63, 13}, "Pozicane OD"},
            {"Label6", "QLabel", w, {312, 152, 63, 13}, "Pozicane DO"},
            {"Label7", "QLabel", w, {176, 208, 99, 13}, "Meno   a   Priezvisko"},
            {"StatusBar1", "QStatusBar", w, {0, 273, 485, 19}, ""}};
        for (int i = 1; i <= 10; ++i) {
            const QString text = i == 5 ? "Son05" : QString("Song%1").arg(i, 2, 10, QChar('0'));
            const QRect box(16, 24 * i, 121, 21);
            controls.push_back({QString("Edit%1").arg(i), "QLineEdit", w, box, text,
                                QString("Pesnicky %1").arg(i)});
        }
        controls.insert(
            controls.end(),
            {{"Edit11", "QLineEdit", w, {176, 24, 121, 21}, "", "Autor CD"},
             {"Edit12", "QLineEdit", w, {176, 72, 121, 21}, "", "Nazov CD"},
             {"Edit13", "QLineEdit", w, {176, 120, 121, 21}, "", "Typ CD"},
             {"UlozBtn", "QPushButton", w, {400, 240, 75, 25}, "Uloz"},
             {"Edit14", "QLineEdit", w, {176, 168, 89, 21}, "01.01.2001", "Pozicane OD"},
             {"Edit15", "QLineEdit", w, {312, 168, 97, 21}, "31.12.2100", "Pozicane DO"},
             {"Edit16", "QLineEdit", w, {176, 224, 81, 21}, "", "Meno"},
             {"Edit17", "QLineEdit", w, {256, 224, 121, 21}, "", "Priezvisko"}});
        checkLayout(dialog, w, "Zadaj Cd", {357, 172}, {485, 292}, false, controls);
        QVERIFY(!dialog.findChild<QStatusBar *>()->isSizeGripEnabled());
    }

    // Typing goes through the validator; characters Windows-1250 lacks never arrive.
    void boxesRefuseWhatTheFileCannotHold()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        for (int i = 1; i <= 17; ++i) {
            edit(dialog, i)->clear();
            typeText(edit(dialog, i), QString::fromUtf8("Ľudovít 5€ aЖb中x"));
            QCOMPARE(edit(dialog, i)->text(), QString::fromUtf8("Ľudovít 5€ abx"));
        }
    }

    void firstUlozWithNothingTypedGivesTheBoxesDefaults()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        QVERIFY(execWith(dialog, [&] { uloz(dialog); }));
        const std::string songs =
            "Song01|Song02|Song03|Song04|Son05|Song06|Song07|Song08|Song09|Song10|";
        QCOMPARE(zoznam.PocetCd, 1);
        QCOMPARE(fieldsOf(*zoznam.Prvy),
                 std::vector<std::string>({songs, "", "", "", "01.01.2001", "31.12.2100", "", ""}));
        QCOMPARE(TextPesniciek, songs);
    }

    // Each box feeds its own field, exactly as typed: blanks kept, letters in Windows-1250.
    void eachBoxFeedsItsFieldAsTyped()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        for (int i = 1; i <= 17; ++i)
            edit(dialog, i)->setText(QString::fromUtf8(" Š%1 ").arg(i));
        uloz(dialog);
        QVERIFY(!dialog.isVisible());
        auto typed = [](int i) { return " \x8a" + std::to_string(i) + " "; };
        std::string songs;
        for (int i = 1; i <= 10; ++i)
            songs += typed(i) + "|";
        QCOMPARE(fieldsOf(*zoznam.Prvy),
                 std::vector<std::string>({songs, typed(11), typed(12), typed(13), typed(14),
                                           typed(15), typed(16), typed(17)}));
    }

    void emptySongBoxesGiveAdjacentBars()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        for (int i : {1, 4, 5, 10})
            edit(dialog, i)->clear();
        uloz(dialog);
        const std::string songs = "|Song02|Song03|||Song06|Song07|Song08|Song09||";
        QCOMPARE(zoznam.Prvy->Pesnicky(), songs);
        QCOMPARE(TextPesniciek, songs);
    }

    void ulozTwiceGivesTwoEqualRecordsBehindTheOldOnes()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(new ZaznamCD);
        ZaznamCD *old = zoznam.Prvy;
        TFormZadajCd dialog(nullptr, zoznam);
        edit(dialog, 11)->setText("Autor");
        QVERIFY(execWith(dialog, [&] { uloz(dialog); }));
        QVERIFY(execWith(dialog, [&] { uloz(dialog); }));
        QCOMPARE(zoznam.PocetCd, 3);
        QCOMPARE(zoznam.Prvy, old);
        const ZaznamCD *first = old->Dalsi, *second = first->Dalsi;
        QVERIFY(first != second && !second->Dalsi && zoznam.Aktualny == second);
        QCOMPARE(fieldsOf(*first), fieldsOf(*second));
        QCOMPARE(second->AutorCD(), std::string("Autor"));
        QCOMPARE(fieldsOf(*old), fieldsOf(ZaznamCD()));
    }

    void closeBoxAppendsNothingAndKeepsTheTexts()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        edit(dialog, 1)->setText("Zmenena");
        edit(dialog, 17)->setText("Novak");
        QVERIFY(execWith(dialog, [&] { dialog.close(); }));
        QVERIFY(execWith(dialog, [&] { dialog.close(); }));
        QCOMPARE(zoznam.PocetCd, 0);
        QVERIFY(!zoznam.Prvy && TextPesniciek.empty());
        QCOMPARE(edit(dialog, 1)->text(), QStringLiteral("Zmenena"));
        QCOMPARE(edit(dialog, 17)->text(), QStringLiteral("Novak"));
    }

    // Only Space or Enter on a focused Uloz stores a record; nothing else closes the window.
    void keys_data()
    {
        addKeyColumns();
        QTest::newRow("Enter in a song box") << "Edit3" << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter in a date box") << "Edit15" << int(Qt::Key_Enter) << false;
        QTest::newRow("Escape in a name box") << "Edit16" << int(Qt::Key_Escape) << false;
        QTest::newRow("Escape on Uloz") << "UlozBtn" << int(Qt::Key_Escape) << false;
        QTest::newRow("Space on Uloz") << "UlozBtn" << int(Qt::Key_Space) << true;
        QTest::newRow("Enter on Uloz") << "UlozBtn" << int(Qt::Key_Return) << true;
    }

    void keys()
    {
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        pressRowKey(dialog);
        QFETCH(bool, closes);
        QCOMPARE(zoznam.PocetCd, closes ? 1 : 0);
    }
};

QTEST_MAIN(TestZadajCd)
#include "tst_zadajcd.moc"
