#include "DialogTest.h"

#include "core/Triedenie.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"

#include <QPushButton>
#include <QRadioButton>

#include <memory>

using namespace DialogTest;

namespace {

// The two settings dialogs differ only in layout and in the value they write.
enum class Which { Tried, Vyhladaj };

std::unique_ptr<QDialog> make(Which which)
{
    if (which == Which::Tried)
        return std::make_unique<TFormTried>();
    return std::make_unique<TFormVyhladaj>();
}

std::int32_t &setting(Which which)
{
    return which == Which::Tried ? TypTriedenia : TypVyhladavania;
}

QRadioButton *option(QDialog &dialog, int number)
{
    return dialog.findChild<QRadioButton *>(QStringLiteral("RB%1").arg(number));
}

// How a showing ends, and what the user does before.
struct Step {
    int select;  // 1..5, or 0 to leave the selection alone
    bool nastav; // "Nastav", or else the close box
};

// 1-based number of the selected option.
int selected(QDialog &dialog)
{
    int found = 0;
    for (int i = 1; i <= 5; ++i) {
        if (option(dialog, i)->isChecked()) {
            if (found)
                return -1;
            found = i;
        }
    }
    return found;
}

} // namespace

Q_DECLARE_METATYPE(Which)
Q_DECLARE_METATYPE(QList<Step>)

class TestNastavenia : public QObject {
    Q_OBJECT

  private slots:
    void init()
    {
        TypTriedenia = 0;
        TypVyhladavania = 0;
    }

    void window_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QSize>("client");
        // Client sizes: the designed outer sizes less a 4-pixel frame and a 19-pixel title bar.
        QTest::newRow("sort") << Which::Tried << "FormTried"
                              << "Nastavenie triedenia" << QPoint(441, 315) << QSize(265, 256);
        QTest::newRow("search") << Which::Vyhladaj << "FormVyhladaj"
                                << "Nastavenie vyhladavania" << QPoint(397, 220) << QSize(364, 242);
    }

    void window()
    {
        QFETCH(Which, which);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QPoint, position);
        QFETCH(QSize, client);
        auto dialog = make(which);
        checkWindow(dialog.get(), name, caption, position, client, true);
    }

    void sortLayout_data()
    {
        addLayoutColumns();
        QTest::newRow("GroupBox1")
            << "QGroupBox"
            << "FormTried" << QRect(16, 24, 233, 217) << "  Moznosti triedenia   ";
        QTest::newRow("RB1") << "QRadioButton"
                             << "GroupBox1" << QRect(24, 40, 113, 17) << "Datum pozicania";
        QTest::newRow("RB2") << "QRadioButton"
                             << "GroupBox1" << QRect(24, 64, 113, 17) << "Datum vratenia";
        QTest::newRow("RB3") << "QRadioButton"
                             << "GroupBox1" << QRect(24, 88, 113, 17) << "Nazov CD";
        QTest::newRow("RB4") << "QRadioButton"
                             << "GroupBox1" << QRect(24, 112, 113, 17) << "Nazov Albumu";
        QTest::newRow("RB5") << "QRadioButton"
                             << "GroupBox1" << QRect(24, 136, 113, 17) << "Priezvisko";
        QTest::newRow("Button") << "QPushButton"
                                << "GroupBox1" << QRect(136, 176, 75, 25) << "Nastav";
    }

    void sortLayout()
    {
        TFormTried dialog;
        checkLayoutRow(&dialog);
    }

    void searchLayout_data()
    {
        addLayoutColumns();
        QTest::newRow("GroupBox1") << "QGroupBox"
                                   << "FormVyhladaj" << QRect(8, 8, 345, 225) << "  Vyhladavanie  ";
        QTest::newRow("Button") << "QPushButton"
                                << "GroupBox1" << QRect(256, 192, 75, 25) << "Nastav";
        QTest::newRow("RB1") << "QRadioButton"
                             << "GroupBox1" << QRect(16, 40, 113, 17) << "Datum pozicania";
        QTest::newRow("RB2") << "QRadioButton"
                             << "GroupBox1" << QRect(16, 64, 113, 17) << "Autor CD";
        QTest::newRow("RB3") << "QRadioButton"
                             << "GroupBox1" << QRect(16, 88, 113, 17) << "Nazov Albumu";
        QTest::newRow("RB4") << "QRadioButton"
                             << "GroupBox1" << QRect(16, 112, 113, 17) << "Priezvisko";
        QTest::newRow("RB5") << "QRadioButton"
                             << "GroupBox1" << QRect(16, 136, 113, 17) << "Typ CD";
    }

    void searchLayout()
    {
        TFormVyhladaj dialog;
        checkLayoutRow(&dialog);
    }

    void tabOrderAndAccessibleNames_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QStringList>("chain");
        QTest::newRow("sort") << Which::Tried
                              << QStringList{"RB1", "RB2", "RB3", "RB4", "RB5", "Button"};
        QTest::newRow("search") << Which::Vyhladaj
                                << QStringList{"Button", "RB1", "RB2", "RB3", "RB4", "RB5"};
    }

    void tabOrderAndAccessibleNames()
    {
        QFETCH(Which, which);
        QFETCH(QStringList, chain);
        auto dialog = make(which);
        QCOMPARE(tabChain(dialog.get()), chain);
        for (auto *button : dialog->findChildren<QAbstractButton *>())
            QCOMPARE(button->accessibleName(), button->text());
    }

    // Each row is a run of showings of one dialog object, as the menu gives them.
    void settings_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<std::int32_t>("before");
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<std::int32_t>("stored");
        QTest::addColumn<int>("shownNext");

        QTest::newRow("sort: first opening shows RB1, mode 0 stays")
            << Which::Tried << 0 << QList<Step>{{0, false}} << 0 << 1;
        QTest::newRow("sort: Nazov Albumu and Nastav store 3")
            << Which::Tried << 0 << QList<Step>{{4, true}} << 3 << 4;
        QTest::newRow("sort: each option stores its number")
            << Which::Tried << 0 << QList<Step>{{2, true}} << 1 << 2;
        QTest::newRow("sort: Priezvisko stores 4")
            << Which::Tried << 0 << QList<Step>{{5, true}} << 4 << 5;
        QTest::newRow("sort: Nazov CD and close box keep the old mode, shown next time")
            << Which::Tried << 4 << QList<Step>{{3, false}} << 4 << 3;
        QTest::newRow("sort: after the close box, Nastav unchanged stores 2")
            << Which::Tried << 0 << QList<Step>{{3, false}, {0, true}} << 2 << 3;
        QTest::newRow("sort: Datum pozicania and Nastav store 0 whatever the mode was")
            << Which::Tried << 3 << QList<Step>{{1, true}} << 0 << 1;
        QTest::newRow("search: Typ CD and Nastav store 4")
            << Which::Vyhladaj << 0 << QList<Step>{{5, true}} << 4 << 5;
        QTest::newRow("search: Autor CD stores 1")
            << Which::Vyhladaj << 0 << QList<Step>{{2, true}} << 1 << 2;
        QTest::newRow("search: close box keeps the old option")
            << Which::Vyhladaj << 2 << QList<Step>{{4, false}} << 2 << 4;
        QTest::newRow("search: Datum pozicania stores 0")
            << Which::Vyhladaj << 3 << QList<Step>{{4, false}, {1, true}} << 0 << 1;
    }

    void settings()
    {
        QFETCH(Which, which);
        QFETCH(std::int32_t, before);
        QFETCH(QList<Step>, steps);
        QFETCH(std::int32_t, stored);
        QFETCH(int, shownNext);
        setting(which) = before;
        auto dialog = make(which);
        auto *nastav = dialog->findChild<QPushButton *>("Button");
        for (const Step &step : steps) {
            QVERIFY(execWith(*dialog, [&] {
                if (step.select)
                    option(*dialog, step.select)->click();
                if (step.nastav)
                    nastav->click();
                else
                    dialog->close();
            }));
        }
        QCOMPARE(setting(which), stored);
        QVERIFY(execWith(*dialog, [&] { dialog->close(); }));
        QCOMPARE(selected(*dialog), shownNext);
        QCOMPARE(setting(which), stored);
    }

    void nazovAlbumuSortsByAutorCD()
    {
        TFormTried dialog;
        option(dialog, 4)->setChecked(true);
        dialog.findChild<QPushButton *>("Button")->click();
        ZaznamCD z;
        z.AutorCD = "autor";
        z.NazovCD = "nazov";
        QCOMPARE(KlucTriedenia(z, TypTriedenia), std::string_view("autor"));
    }

    void keysDoNothingButPressTheFocusedButton_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("sort: Escape on an option")
            << Which::Tried << "RB3" << int(Qt::Key_Escape) << false;
        QTest::newRow("sort: Enter on an option")
            << Which::Tried << "RB1" << int(Qt::Key_Return) << false;
        QTest::newRow("sort: Escape on Nastav")
            << Which::Tried << "Button" << int(Qt::Key_Escape) << false;
        QTest::newRow("sort: Enter on Nastav")
            << Which::Tried << "Button" << int(Qt::Key_Return) << true;
        QTest::newRow("search: Escape on Nastav")
            << Which::Vyhladaj << "Button" << int(Qt::Key_Escape) << false;
        QTest::newRow("search: Enter on an option")
            << Which::Vyhladaj << "RB2" << int(Qt::Key_Enter) << false;
        QTest::newRow("search: Space on Nastav")
            << Which::Vyhladaj << "Button" << int(Qt::Key_Space) << true;
    }

    void keysDoNothingButPressTheFocusedButton()
    {
        QFETCH(Which, which);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        setting(which) = 4;
        auto dialog = make(which);
        QVERIFY(showActive(*dialog));
        dialog->findChild<QWidget *>(focus)->setFocus();
        pressKey(*dialog, Qt::Key(key));
        QCOMPARE(dialog->isVisible(), !closes);
        QCOMPARE(setting(which), closes ? 0 : 4);
    }

    void firstFocusIsTheFirstInTabOrder()
    {
        TFormVyhladaj search;
        QVERIFY(showActive(search));
        QCOMPARE(search.focusWidget()->objectName(), QStringLiteral("Button"));
        search.close();
        TFormTried sort;
        QVERIFY(showActive(sort));
        QCOMPARE(sort.focusWidget()->objectName(), QStringLiteral("RB1"));
    }
};

QTEST_MAIN(TestNastavenia)
#include "tst_nastavenia.moc"
