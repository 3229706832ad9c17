#include "DialogTest.h"

#include "core/Triedenie.h"
#include "dialogs/Vypiscd.h"

#include <QHeaderView>
#include <QTableView>

using namespace DialogTest;

namespace {

using Rows = QList<QStringList>;
const QStringList kBlankRow(7, QString());

// A record whose fields all differ, with blanks and a Windows-1250 letter ("š" is 0x9A).
ZaznamCD *record(const std::string &datum, const std::string &autor, const std::string &nazov)
{
    auto *z = new ZaznamCD;
    z->setDatumPozicania(datum);
    z->setAutorCD(autor);
    z->setNazovCD(nazov);
    z->setDatumVratenia("do " + datum);
    z->setMeno(" \x9a" + autor);
    z->setPriezvisko("p|" + autor);
    z->setTypCD("t" + nazov + " ");
    return z;
}

QStringList rowOf(const QString &datum, const QString &autor, const QString &nazov)
{
    return {datum,
            autor,
            nazov,
            "do " + datum,
            QString::fromUtf8(" š") + autor,
            "p|" + autor,
            "t" + nazov + " "};
}

QTableView *listView(QDialog &dialog)
{
    return dialog.findChild<QTableView *>("ListView");
}

// One showing as the listing command makes it: a fresh dialog, shown modally, destroyed.
Rows listOnce(const ZoznamCD &zoznam)
{
    auto dialog = std::make_unique<TVypisForm>(nullptr, zoznam);
    Rows rows;
    const bool ended = execWith(*dialog, [&] {
        const QAbstractItemModel *model = listView(*dialog)->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            rows << QStringList();
            for (int c = 0; c < model->columnCount(); ++c)
                rows.last() << model->index(r, c).data().toString();
        }
        dialog->findChild<QPushButton *>("Button1")->click();
    });
    return ended ? rows : Rows();
}

} // namespace

class TestVypisCd : public QObject {
    Q_OBJECT

  private slots:
    void layout()
    {
        ZoznamCD zoznam;
        TVypisForm dialog(nullptr, zoznam);
        const char *w = "VypisForm";
        checkLayout(dialog, w, "Vypis Platnovnik", {272, 232}, {682, 460}, true,
                    {{"Button1", "QPushButton", w, {312, 424, 75, 25}, "OK"},
                     {"ListView", "QTableView", w, {8, 8, 665, 409}, ""}});
        QTableView *view = listView(dialog);
        const QStringList headers = {"Datum Pozicania", "Autor CD", "Nazov CD",
                                     "Pozicane do",     "Meno",     "Priezvisko",
                                     "Typ CD"};
        const int widths[] = {100, 100, 100, 80, 70, 90, 100};
        QCOMPARE(view->model()->columnCount(), 7);
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(view->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
            QCOMPARE(view->columnWidth(c), widths[c]);
        }
        QVERIFY(view->verticalHeader()->isHidden());
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
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
        ZoznamCD zoznam;
        Rows expected{kBlankRow};
        for (const char *name : {"C", "A", "B"}) {
            if (zoznam.PocetCd == count)
                break;
            zoznam.PripojZaznam(record(name, name, name));
            expected << rowOf(name, name, name);
        }
        QCOMPARE(listOnce(zoznam), expected);
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

    // The fill counts its steps; a stray link after the last record is never followed.
    void fillStopsAtTheCountNotAtTheChainsEnd()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("01", "A", "a"));
        ZaznamCD stray;
        zoznam.Aktualny->Dalsi = &stray;
        const Rows rows = listOnce(zoznam);
        zoznam.Aktualny->Dalsi = nullptr;
        QCOMPARE(rows.size(), 2);
    }

    void closeBoxEndsTheShowingWithNoOtherEffect()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("01", "A", "a"));
        ZaznamCD *only = zoznam.Prvy;
        TVypisForm dialog(nullptr, zoznam);
        QVERIFY(execWith(dialog, [&] { dialog.close(); }));
        QVERIFY(zoznam.PocetCd == 1 && zoznam.Prvy == only && zoznam.Aktualny == only);
        QVERIFY(!zoznam.Presuvany && !only->Dalsi);
        // Nothing of the list is held once the showing is over.
        QCOMPARE(listView(dialog)->model()->rowCount(), 1);
    }

    void keys_data()
    {
        addKeyColumns();
        QTest::newRow("Escape on OK") << "Button1" << int(Qt::Key_Escape) << false;
        QTest::newRow("Escape in the list") << "ListView" << int(Qt::Key_Escape) << false;
        QTest::newRow("Enter in the list") << "ListView" << int(Qt::Key_Return) << false;
        QTest::newRow("Enter on OK") << "Button1" << int(Qt::Key_Return) << true;
    }

    void keys()
    {
        ZoznamCD zoznam;
        TVypisForm dialog(nullptr, zoznam);
        pressRowKey(dialog);
    }
};

QTEST_MAIN(TestVypisCd)
#include "tst_vypiscd.moc"
