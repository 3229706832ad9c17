#include "dialogs/Hladanie.h"
#include "dialogs/Vypiscd.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

static const QDate kDnes(2003, 5, 11);

static const QAbstractItemModel *rows(QWidget &w)
{
    return w.findChild<QTableView *>("ListView")->model();
}

class TestPoTermine : public QObject {
    Q_OBJECT

  private slots:
    void overdueRowsCarryTheirDescription_data()
    {
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("description");
        // clang-format off
        QTest::newRow("a week") << "04.05.2003" << "Po termine od 04.05.2003, 7 dni";
        QTest::newRow("a day, 8 digits") << "10052003" << "Po termine od 10.05.2003, 1 den";
        QTest::newRow("since last year, one digit a part") << "1.2.2002" << "Po termine od 01.02.2002, 464 dni";
        QTest::newRow("due today") << "11.05.2003" << "";
        QTest::newRow("no such day") << "30.02.2003" << "";
        // clang-format on
    }

    // Alike in the listing (after its blank row) and in the search, on light and dark cells;
    // the search counts the overdue rows it shows.
    void overdueRowsCarryTheirDescription()
    {
        QFETCH(QString, due);
        QFETCH(QString, description);
        ZoznamCD zoznam;
        zoznam.PripojZaznam(new ZaznamCD);
        zoznam.Prvy->setDatumVratenia(due.toStdString());
        TVypisForm listing(nullptr, zoznam, kDnes);
        THladanieForm search(nullptr, zoznam, 0, kDnes);
        listing.show();
        search.show();
        for (QColor base : {QColor(Qt::white), QColor(0x2b, 0x2b, 0x2b)}) {
            QApplication::setPalette(QPalette(Qt::gray, base));
            for (auto [model, row] : {std::pair{rows(listing), 1}, {rows(search), 0}}) {
                QCOMPARE(model->index(row, 3).data().toString(), due); // shown as stored
                for (int c = 0; c < 7; ++c) {
                    const QModelIndex cell = model->index(row, c);
                    QCOMPARE(cell.data(Qt::ToolTipRole).toString(), description);
                    QCOMPARE(cell.data(Qt::AccessibleDescriptionRole).toString(), description);
                    const QColor colour = cell.data(Qt::ForegroundRole).value<QColor>();
                    QCOMPARE(colour.isValid(), !description.isEmpty());
                    QVERIFY(!colour.isValid() ||
                            std::abs(colour.lightnessF() - base.lightnessF()) > 0.4);
                }
            }
        }
        auto *found = search.findChild<QLabel *>("Label2");
        QCOMPARE(found->text(),
                 description.isEmpty() ? "Najdene: 1, po termine: 0" : "Najdene: 1, po termine: 1");
        search.findChild<QLineEdit *>("Edit1")->setText("zz");
        QCOMPARE(found->text(), QString("Najdene: 0, po termine: 0"));
    }
};

QTEST_MAIN(TestPoTermine)
#include "tst_potermine.moc"
