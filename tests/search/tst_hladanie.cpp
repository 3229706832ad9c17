#include "dialogs/Hladanie.h"

#include "app/CodePage.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

#include <string>
#include <vector>

namespace {

ZaznamCD *record(const char *datum, const char *autor, const char *nazov, const char *priezvisko,
                 const char *typ)
{
    auto *zaznam = new ZaznamCD;
    zaznam->DatumPozicania = datum;
    zaznam->AutorCD = autor;
    zaznam->NazovCD = nazov;
    zaznam->Priezvisko = priezvisko;
    zaznam->TypCD = typ;
    return zaznam;
}

// Everything a window could change in a list: its cursors, its chain and every text.
struct Snapshot {
    const ZaznamCD *prvy, *aktualny, *presuvany;
    std::int32_t pocet;
    std::vector<const ZaznamCD *> chain;
    std::vector<std::string> texts;

    explicit Snapshot(const ZoznamCD &z)
        : prvy(z.Prvy), aktualny(z.Aktualny), presuvany(z.Presuvany), pocet(z.PocetCd)
    {
        const ZaznamCD *r = z.Prvy;
        for (std::int32_t i = 0; i < z.PocetCd; ++i, r = r->Dalsi) {
            chain.push_back(r->Dalsi);
            for (const std::string *s :
                 {&r->Pesnicky, &r->NazovCD, &r->AutorCD, &r->TypCD, &r->DatumPozicania, &r->Meno,
                  &r->Priezvisko, &r->DatumVratenia})
                texts.push_back(*s);
        }
    }
    bool operator==(const Snapshot &o) const
    {
        return prvy == o.prvy && aktualny == o.aktualny && presuvany == o.presuvany &&
               pocet == o.pocet && chain == o.chain && texts == o.texts;
    }
};

// Types letters that QTest::keyClicks cannot spell, as a keyboard layout with them would.
void typeLetters(QWidget *widget, const QString &letters)
{
    for (QChar c : letters)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestHladanie : public QObject {
    Q_OBJECT

  private:
    static QLineEdit *edit(THladanieForm &w) { return w.findChild<QLineEdit *>("Edit1"); }
    static QString label(THladanieForm &w, const char *name)
    {
        return w.findChild<QLabel *>(name)->text();
    }
    static QAbstractItemModel *rows(THladanieForm &w)
    {
        return w.findChild<QTableView *>("ListView")->model();
    }
    static QStringList cellsOf(THladanieForm &w, int c)
    {
        QStringList out;
        QAbstractItemModel *m = rows(w);
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, c).data().toString();
        return out;
    }

  private slots:
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
    }
    void eachSettingSearchesItsField()
    {
        QFETCH(int, pole);
        QFETCH(QString, caption);
        QFETCH(int, column);
        // Record i holds the mark in the field of setting i; record 5 only in the fields
        // that no setting searches.
        ZoznamCD zoznam;
        for (int i = 0; i < 5; ++i) {
            auto f = [&](int field) { return field == i ? "xMARKx" : "plain"; };
            zoznam.PripojZaznam(record(f(0), f(1), f(2), f(3), f(4)));
        }
        ZaznamCD *other = record("plain", "plain", "plain", "plain", "plain");
        other->Meno = "mark";
        other->DatumVratenia = "mark";
        other->Pesnicky = "mark|";
        zoznam.PripojZaznam(other);

        THladanieForm w(nullptr, zoznam, pole);
        QCOMPARE(label(w, "Label1"), caption);
        QCOMPARE(rows(w)->rowCount(), 6);
        QTest::keyClicks(edit(w), "mark");
        QCOMPARE(rows(w)->rowCount(), 1);
        QCOMPARE(cellsOf(w, column), QStringList{"xMARKx"});
        QCOMPARE(label(w, "Label2"), QString("Najdene: 1"));
    }

    // Chosen in "Nastavenie vyhladavania", used by the next search window over the program's list.
    void settingChosenInTheSettingsDialogApplies()
    {
        Zoznam.PripojZaznam(record("", "", "", "", "Rock"));
        Zoznam.PripojZaznam(record("", "", "", "", "Pop"));
        TFormVyhladaj settings;
        settings.findChild<QRadioButton *>("RB5")->setChecked(true);
        QTest::mouseClick(settings.findChild<QPushButton *>("Button"), Qt::LeftButton);
        QCOMPARE(TypVyhladavania, 4);

        THladanieForm w;
        QCOMPARE(label(w, "Label1"), QString("Hladat v: Typ CD"));
        QTest::keyClicks(edit(w), "ROCK");
        QCOMPARE(cellsOf(w, 6), QStringList{"Rock"});
        TypVyhladavania = 0;
        Zoznam.VymazVsetky();
    }

    void settingOutOfRangeSearchesLentOnDate()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("01012003", "2003", "", "", ""));
        THladanieForm w(nullptr, zoznam, 9);
        QCOMPARE(label(w, "Label1"), QString("Hladat v: Datum pozicania"));
        QTest::keyClicks(edit(w), "0101");
        QCOMPARE(rows(w)->rowCount(), 1);
    }

    void resultsFollowEveryKeystroke()
    {
        ZoznamCD zoznam;
        for (const char *p : {"Kov\xE1\xE8", "Kovalik", "Nov\xE1k", "KOVAC", "Horvath"})
            zoznam.PripojZaznam(record("", "", "", p, ""));
        THladanieForm w(nullptr, zoznam, 3);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(label(w, "Label2"), QString("Najdene: 5"));

        const struct {
            const char *key;
            int found;
        } steps[] = {{"k", 4}, {"o", 3}, {"v", 3}, {"a", 3}, {"c", 2}};
        for (const auto &step : steps) {
            QTest::keyClicks(edit(w), step.key);
            QCOMPARE(label(w, "Label2"), QString("Najdene: %1").arg(step.found));
            QCOMPARE(rows(w)->rowCount(), step.found);
        }
        QCOMPARE(cellsOf(w, 5), (QStringList{"Kov\u00E1\u010D", "KOVAC"}));
        QTest::keyClick(edit(w), Qt::Key_Backspace);
        QCOMPARE(cellsOf(w, 5), (QStringList{"Kov\u00E1\u010D", "Kovalik", "KOVAC"}));

        // A letter with diacritics narrows to texts that have it.
        edit(w)->clear();
        QCOMPARE(rows(w)->rowCount(), 5);
        typeLetters(edit(w), QString("kov\u00E1"));
        QCOMPARE(cellsOf(w, 5), QStringList{"Kov\u00E1\u010D"});
    }

    void rowsShowTheSevenFieldsAsStored()
    {
        ZoznamCD zoznam;
        ZaznamCD *z = record("01012003", "Bor\x9A", "Al\x9Aum", "Kov\xE1\xE8", "Rock");
        z->Meno = "J\xE1n";
        z->DatumVratenia = "31122100";
        zoznam.PripojZaznam(z);
        THladanieForm w(nullptr, zoznam, 0);
        auto *view = w.findChild<QTableView *>("ListView");
        const QStringList headers = {"Datum Pozicania", "Autor CD", "Nazov CD",
                                     "Pozicane do",     "Meno",     "Priezvisko",
                                     "Typ CD"};
        const int widths[] = {100, 100, 100, 80, 70, 90, 100};
        QCOMPARE(view->model()->columnCount(), 7);
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(view->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
            QCOMPARE(view->horizontalHeader()->sectionSize(c), widths[c]);
        }
        QStringList cells;
        for (int c = 0; c < 7; ++c)
            cells << view->model()->index(0, c).data().toString();
        QCOMPARE(cells, (QStringList{"01012003", "Bor\u0161", "Al\u0161um", "31122100", "J\u00E1n",
                                     "Kov\u00E1\u010D", "Rock"}));
    }

    void windowChangesNothingInTheList()
    {
        ZoznamCD zoznam;
        for (const char *p : {"C", "A", "B"})
            zoznam.PripojZaznam(record("01012003", "x", "y", p, "z"));
        zoznam.Presuvany = zoznam.Prvy->Dalsi;
        const Snapshot before(zoznam);
        {
            THladanieForm w(nullptr, zoznam, 3);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTest::keyClicks(edit(w), "a");
            auto *view = w.findChild<QTableView *>("ListView");
            view->selectRow(0);
            view->sortByColumn(5, Qt::AscendingOrder);
            QTest::keyClick(edit(w), Qt::Key_Backspace);
            QTest::mouseClick(w.findChild<QPushButton *>("Button1"), Qt::LeftButton);
            QVERIFY(!w.isVisible());
        }
        QVERIFY(Snapshot(zoznam) == before);
    }

    void keyboardAndClosing()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("", "", "", "Kovac", ""));
        THladanieForm w(nullptr, zoznam, 3);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClicks(edit(w), "kov");
        QTest::keyClick(edit(w), Qt::Key_Return);
        QTest::keyClick(edit(w), Qt::Key_Enter);
        QVERIFY(w.isVisible());
        QTest::keyClick(edit(w), Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QCOMPARE(edit(w)->text(), QString("kov"));
        QVERIFY(w.close()); // the close box
        QVERIFY(!w.isVisible());
    }

    void editAcceptsOnlyTheCodePage()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("", "", "", "?", ""));
        THladanieForm w(nullptr, zoznam, 3);
        typeLetters(edit(w), QString("\u017E\u0436")); // ž is in it, Cyrillic zhe is not
        QCOMPARE(edit(w)->text(), QString("\u017E"));
        // Text that bypasses the validator cannot match: no record could hold it.
        edit(w)->setText(QString("\u0436"));
        QCOMPARE(rows(w)->rowCount(), 0);
        QCOMPARE(label(w, "Label2"), QString("Najdene: 0"));
    }

    void reshowingTakesTheListAfresh()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(record("", "", "", "Kovac", ""));
        THladanieForm w(nullptr, zoznam, 3);
        w.show();
        QTest::keyClicks(edit(w), "kov");
        w.close();
        zoznam.PripojZaznam(record("", "", "", "Kovacik", ""));
        w.show();
        QCOMPARE(rows(w)->rowCount(), 2);
        QCOMPARE(label(w, "Label2"), QString("Najdene: 2"));
        w.close();
        zoznam.VymazVsetky();
        w.show();
        QCOMPARE(rows(w)->rowCount(), 0);
    }

    void emptyList()
    {
        ZoznamCD zoznam;
        THladanieForm w(nullptr, zoznam, 3);
        QCOMPARE(label(w, "Label2"), QString("Najdene: 0"));
        QTest::keyClicks(edit(w), "a");
        QCOMPARE(rows(w)->rowCount(), 0);
    }
};

QTEST_MAIN(TestHladanie)
#include "tst_hladanie.moc"
