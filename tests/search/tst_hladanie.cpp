#include "dialogs/Hladanie.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

ZaznamCD *record(const char *datum, const char *autor, const char *nazov, const char *priezvisko,
                 const char *typ)
{
    auto *z = new ZaznamCD;
    z->setDatumPozicania(datum);
    z->setAutorCD(autor);
    z->setNazovCD(nazov);
    z->setPriezvisko(priezvisko);
    z->setTypCD(typ);
    return z;
}

QLineEdit *edit(QWidget &w)
{
    return w.findChild<QLineEdit *>("Edit1");
}
QString label(QWidget &w, const char *name)
{
    return w.findChild<QLabel *>(name)->text();
}
QAbstractItemModel *rows(QWidget &w)
{
    return w.findChild<QTableView *>("ListView")->model();
}

QStringList column(QWidget &w, int c)
{
    QStringList out;
    for (int r = 0; r < rows(w)->rowCount(); ++r)
        out << rows(w)->index(r, c).data().toString();
    return out;
}

// Types letters that QTest::keyClicks cannot spell, as a keyboard layout with them would.
void typeLetters(QWidget *widget, const QString &letters)
{
    for (QChar c : letters)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestHladanie : public QObject {
    Q_OBJECT

  private slots:
    void cleanup()
    {
        TypVyhladavania = 0;
        Zoznam.VymazVsetky();
    }

    void eachSettingSearchesItsField_data()
    {
        QTest::addColumn<int>("pole");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("column");
        QTest::newRow("0 lent-on date") << 0 << "Hladat v: Datum pozicania" << 0;
        QTest::newRow("1 author") << 1 << "Hladat v: Autor CD" << 1;
        QTest::newRow("2 CD name") << 2 << "Hladat v: Nazov Albumu" << 2;
        QTest::newRow("3 surname") << 3 << "Hladat v: Priezvisko" << 5;
        QTest::newRow("4 type") << 4 << "Hladat v: Typ CD" << 6;
        QTest::newRow("out of range: lent-on date") << 9 << "Hladat v: Datum pozicania" << 0;
    }

    void eachSettingSearchesItsField()
    {
        QFETCH(int, pole);
        QFETCH(QString, caption);
        QFETCH(int, column);
        // Record i holds the mark in the field of setting i; the last one only in fields
        // that no setting searches. A window from the menu takes the program's list.
        for (int i = 0; i < 5; ++i) {
            auto f = [&](int field) { return field == i ? "xMARKx" : "plain"; };
            Zoznam.PripojZaznam(record(f(0), f(1), f(2), f(3), f(4)));
        }
        ZaznamCD *other = record("plain", "plain", "plain", "plain", "plain");
        other->setMeno(other->DatumVratenia() = other->Pesnicky() = "mark");
        Zoznam.PripojZaznam(other);
        TypVyhladavania = pole;

        THladanieForm w;
        QCOMPARE(label(w, "Label1"), caption);
        QCOMPARE(rows(w)->rowCount(), 6);
        QTest::keyClicks(edit(w), "mark");
        QCOMPARE(::column(w, column), QStringList{"xMARKx"});
        QCOMPARE(label(w, "Label2"), QString("Najdene: 1"));
        const int widths[] = {100, 100, 100, 80, 70, 90, 100}; // as in the listing
        for (int c = 0; c < 7; ++c)
            QCOMPARE(w.findChild<QTableView *>()->columnWidth(c), widths[c]);
    }

    void resultsFollowEveryKeystroke()
    {
        ZoznamCD zoznam;
        for (const char *p : {"Kov\xE1\xE8", "Kovalik", "Nov\xE1k", "KOVAC", "Horvath"})
            zoznam.PripojZaznam(record("", "", "", p, ""));
        THladanieForm w(nullptr, zoznam, 3);
        w.show();
        QCOMPARE(label(w, "Label2"), QString("Najdene: 5"));
        for (auto [key, found] : {std::pair{"k", 4}, {"o", 3}, {"v", 3}, {"a", 3}, {"c", 2}}) {
            QTest::keyClicks(edit(w), key);
            QCOMPARE(label(w, "Label2"), QString("Najdene: %1").arg(found));
            QCOMPARE(rows(w)->rowCount(), found);
        }
        QCOMPARE(column(w, 5), (QStringList{"Kov\u00E1\u010D", "KOVAC"}));
        QTest::keyClick(edit(w), Qt::Key_Backspace);
        QCOMPARE(column(w, 5), (QStringList{"Kov\u00E1\u010D", "Kovalik", "KOVAC"}));
        // A letter with diacritics narrows to texts that have it.
        edit(w)->clear();
        typeLetters(edit(w), QString("kov\u00E1"));
        QCOMPARE(column(w, 5), QStringList{"Kov\u00E1\u010D"});
    }

    // The window reads the list and changes nothing; the next showing reads it afresh.
    void windowChangesNothingInTheList()
    {
        ZoznamCD zoznam;
        for (const char *p : {"C", "A", "B"})
            zoznam.PripojZaznam(record("01012003", "x", "y", p, "z"));
        zoznam.Presuvany = zoznam.Prvy->Dalsi;
        auto snapshot = [&] {
            std::vector<std::string> s;
            for (const ZaznamCD *r = zoznam.Prvy; r; r = r->Dalsi)
                for (int f = 0; f < PocetPoli; ++f)
                    s.emplace_back(r->text(static_cast<Pole>(f)));
            return std::tuple(zoznam.Prvy, zoznam.Aktualny, zoznam.Presuvany, zoznam.PocetCd, s);
        };
        const auto before = snapshot();
        THladanieForm w(nullptr, zoznam, 3);
        w.show();
        QTest::keyClicks(edit(w), "a");
        w.findChild<QTableView *>()->selectRow(0);
        QTest::keyClick(edit(w), Qt::Key_Backspace);
        w.findChild<QPushButton *>("Button1")->click();
        QVERIFY(!w.isVisible());
        QVERIFY(snapshot() == before);
        zoznam.PripojZaznam(record("", "", "", "Ab", ""));
        w.show();
        QCOMPARE(label(w, "Label2"), QString("Najdene: 4"));
        w.close();
        zoznam.VymazVsetky();
        w.show();
        QCOMPARE(rows(w)->rowCount(), 0);
    }

    // Enter and Escape do nothing; the close box closes. Only what the code page holds is typed.
    void keyboardAndClosing()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("", "", "", "Kovac", ""));
        THladanieForm w(nullptr, zoznam, 3);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        typeLetters(edit(w), QString("kov\u0436"));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(edit(w), key);
        QVERIFY(w.isVisible());
        QCOMPARE(edit(w)->text(), QString("kov"));
        QVERIFY(w.close());
        // Text that bypasses the validator cannot match: no record could hold it.
        edit(w)->setText(QString("\u0436"));
        QCOMPARE(label(w, "Label2"), QString("Najdene: 0"));
    }
};

QTEST_MAIN(TestHladanie)
#include "tst_hladanie.moc"
