#include "DialogTest.h"

#include "core/Triedenie.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

using namespace DialogTest;

namespace {

using Rows = QList<QStringList>;

ZaznamCD *record(const char *datum, const char *autor, const char *nazov)
{
    auto *z = new ZaznamCD;
    z->DatumPozicania = datum;
    z->AutorCD = autor;
    z->NazovCD = nazov;
    z->DatumVratenia = std::string("do ") + datum;
    z->Meno = std::string("m") + autor;
    z->Priezvisko = std::string("p") + autor;
    z->TypCD = std::string("t") + nazov;
    return z;
}

// The row a record gives, columns in order.
QStringList rowOf(const char *datum, const char *autor, const char *nazov)
{
    return {datum,
            autor,
            nazov,
            QStringLiteral("do ") + datum,
            QStringLiteral("m") + autor,
            QStringLiteral("p") + autor,
            QStringLiteral("t") + nazov};
}

const QStringList kBlankRow(7, QString());

QTableView *listView(QDialog &dialog)
{
    return dialog.findChild<QTableView *>("ListView");
}

// Every cell the list view would show.
Rows shownRows(QDialog &dialog)
{
    const QAbstractItemModel *model = listView(dialog)->model();
    Rows rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c)
            row << model->index(r, c).data().toString();
        rows << row;
    }
    return rows;
}

// One showing as the listing command makes it: a fresh dialog, shown modally, destroyed.
Rows listOnce(const ZoznamCD &zoznam, bool *endedByItself = nullptr)
{
    auto *dialog = new TVypisForm(nullptr, zoznam);
    Rows rows;
    const bool ended = execWith(*dialog, [&] {
        rows = shownRows(*dialog);
        dialog->findChild<QPushButton *>("Button1")->click();
    });
    if (endedByItself)
        *endedByItself = ended;
    delete dialog;
    return rows;
}

} // namespace

class TestVypisCd : public QObject {
    Q_OBJECT

  private slots:
    void window()
    {
        ZoznamCD zoznam;
        TVypisForm dialog(nullptr, zoznam);
        checkWindow(&dialog, "VypisForm", "Vypis Platnovnik", {272, 232}, {682, 460}, true);
    }

    void layout_data()
    {
        addLayoutColumns();
        QTest::newRow("Button1") << "QPushButton"
                                 << "VypisForm" << QRect(312, 424, 75, 25) << "OK";
        QTest::newRow("ListView") << "QTableView"
                                  << "VypisForm" << QRect(8, 8, 665, 409) << "";
    }

    void layout()
    {
        ZoznamCD zoznam;
        TVypisForm dialog(nullptr, zoznam);
        checkLayoutRow(&dialog);
    }

    void columnsHaveTheirHeadersAndWidths()
    {
        ZoznamCD zoznam;
        TVypisForm dialog(nullptr, zoznam);
        QTableView *view = listView(dialog);
        const QStringList headers = {"Datum Pozicania", "Autor CD", "Nazov CD",
                                     "Pozicane do",     "Meno",     "Priezvisko",
                                     "Typ CD"};
        const QList<int> widths = {100, 100, 100, 80, 70, 90, 100};
        QCOMPARE(view->model()->columnCount(), 7);
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(view->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
            QCOMPARE(view->columnWidth(c), widths[c]);
        }
        QVERIFY(view->horizontalHeader()->isVisible() || !dialog.isVisible());
        QVERIFY(view->verticalHeader()->isHidden());
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!view->tabKeyNavigation());
        QCOMPARE(view->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    }

    void okHasTheFocusFirstAndTabGoesToTheList()
    {
        ZoznamCD zoznam;
        TVypisForm dialog(nullptr, zoznam);
        QCOMPARE(tabChain(&dialog), QStringList({"Button1", "ListView"}));
        QCOMPARE(dialog.findChild<QPushButton *>("Button1")->accessibleName(),
                 QStringLiteral("OK"));
        QVERIFY(showActive(dialog));
        QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("Button1"));
        pressKey(dialog, Qt::Key_Tab);
        QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("ListView"));
        pressKey(dialog, Qt::Key_Tab);
        QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("Button1"));
    }

    void rowsFollowTheList_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("no records: only the blank row") << 0;
        QTest::newRow("one record") << 1;
        QTest::newRow("three records in append order") << 3;
    }

    void rowsFollowTheList()
    {
        QFETCH(int, count);
        const char *names[] = {"A", "B", "C"};
        ZoznamCD zoznam;
        Rows expected{kBlankRow};
        for (int i = 0; i < count; ++i) {
            zoznam.PripojZaznam(record(names[i], names[i], names[i]));
            expected << rowOf(names[i], names[i], names[i]);
        }
        bool ended = false;
        QCOMPARE(listOnce(zoznam, &ended), expected);
        QVERIFY(ended);
        QCOMPARE(zoznam.PocetCd, count);
    }

    void rowsFollowASortPass()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("03", "Cc", "x"));
        zoznam.PripojZaznam(record("01", "Aa", "z"));
        zoznam.PripojZaznam(record("02", "Bb", "y"));
        ZoradZoznam(zoznam, 0, nullptr);
        QCOMPARE(listOnce(zoznam), Rows({kBlankRow, rowOf("01", "Aa", "z"), rowOf("02", "Bb", "y"),
                                         rowOf("03", "Cc", "x")}));
        ZoradZoznam(zoznam, 2, nullptr); // by NazovCD
        QCOMPARE(listOnce(zoznam), Rows({kBlankRow, rowOf("03", "Cc", "x"), rowOf("02", "Bb", "y"),
                                         rowOf("01", "Aa", "z")}));
    }

    void twoListingsInARowShowTheSameRowsAndLaterRecords()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("01", "A", "a"));
        zoznam.PripojZaznam(record("02", "B", "b"));
        const Rows first = listOnce(zoznam);
        QCOMPARE(first.size(), 3);
        QCOMPARE(listOnce(zoznam), first);
        zoznam.PripojZaznam(record("03", "C", "c"));
        QCOMPARE(listOnce(zoznam), Rows(first) << rowOf("03", "C", "c"));
    }

    void textsAreShownAsStored()
    {
        ZoznamCD zoznam;
        auto *z = new ZaznamCD;
        z->DatumPozicania = "";
        z->AutorCD = "  \x8a"
                     "tefan|x ";            // Windows-1250 bytes, blanks and a bar
        z->NazovCD = std::string(300, 'n'); // long texts are not cut
        zoznam.PripojZaznam(z);
        const Rows rows = listOnce(zoznam);
        QCOMPARE(rows[1][0], QString());
        QCOMPARE(rows[1][1], QString::fromUtf8("  Štefan|x "));
        QCOMPARE(rows[1][2], QString(300, 'n'));
    }

    void recordEnteredWithNothingTypedShowsTheDates()
    {
        ZoznamCD zoznam;
        TFormZadajCd entry(nullptr, zoznam);
        entry.UlozBtnClick();
        const Rows rows = listOnce(zoznam);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1], QStringList({"01.01.2001", "", "", "31.12.2100", "", "", ""}));
    }

    // The fill counts its steps; a stray link after the last record is never followed.
    void fillStopsAtTheCountNotAtTheChainsEnd()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("01", "A", "a"));
        zoznam.PripojZaznam(record("02", "B", "b"));
        ZaznamCD stray;
        zoznam.Aktualny->Dalsi = &stray;
        const Rows rows = listOnce(zoznam);
        zoznam.Aktualny->Dalsi = nullptr;
        QCOMPARE(rows.size(), 3);
    }

    void okAndCloseBoxEndTheShowingWithNoOtherEffect_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("OK") << true;
        QTest::newRow("close box") << false;
    }

    void okAndCloseBoxEndTheShowingWithNoOtherEffect()
    {
        QFETCH(bool, byButton);
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("01", "A", "a"));
        ZaznamCD *only = zoznam.Prvy;
        TVypisForm dialog(nullptr, zoznam);
        QVERIFY(execWith(dialog, [&] {
            if (byButton)
                dialog.findChild<QPushButton *>("Button1")->click();
            else
                dialog.close();
        }));
        QCOMPARE(zoznam.PocetCd, 1);
        QCOMPARE(zoznam.Prvy, only);
        QCOMPARE(zoznam.Aktualny, only);
        QVERIFY(!zoznam.Presuvany);
        // Nothing of the list is held once the showing is over.
        QCOMPARE(listView(dialog)->model()->rowCount(), 1);
    }

    void enterAndEscapeDoNothing_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::newRow("Escape on OK") << "Button1" << int(Qt::Key_Escape);
        QTest::newRow("Escape in the list") << "ListView" << int(Qt::Key_Escape);
        QTest::newRow("Enter in the list") << "ListView" << int(Qt::Key_Return);
    }

    void enterAndEscapeDoNothing()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("01", "A", "a"));
        TVypisForm dialog(nullptr, zoznam);
        QVERIFY(showActive(dialog));
        dialog.findChild<QWidget *>(focus)->setFocus();
        pressKey(dialog, Qt::Key(key));
        QVERIFY(dialog.isVisible());
        QCOMPARE(listView(dialog)->model()->rowCount(), 2);
    }

    void enterOnOkEndsTheShowing()
    {
        ZoznamCD zoznam;
        TVypisForm dialog(nullptr, zoznam);
        QVERIFY(showActive(dialog));
        pressKey(dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestVypisCd)
#include "tst_vypiscd.moc"
