#include "DialogTest.h"

#include "core/Triedenie.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"

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

// One showing: select option `select` (1..5, 0 for none), then Nastav or the close box.
void show(QDialog &dialog, int select, bool nastav)
{
    QVERIFY(execWith(dialog, [&] {
        if (select)
            option(dialog, select)->click();
        if (nastav)
            dialog.findChild<QPushButton *>("Button")->click();
        else
            dialog.close();
    }));
}

} // namespace

Q_DECLARE_METATYPE(Which)

class TestNastavenia : public QObject {
    Q_OBJECT

  private slots:
    void init() { TypTriedenia = TypVyhladavania = 0; }

    // Client sizes: the designed outer sizes less a 4-pixel frame and a 19-pixel title bar.
    void sortLayout()
    {
        TFormTried dialog;
        const char *g = "GroupBox1";
        checkLayout(dialog, "FormTried", "Nastavenie triedenia", {441, 315}, {265, 256}, true,
                    {{g, "QGroupBox", "FormTried", {16, 24, 233, 217}, "  Moznosti triedenia   "},
                     {"RB1", "QRadioButton", g, {24, 40, 113, 17}, "Datum pozicania"},
                     {"RB2", "QRadioButton", g, {24, 64, 113, 17}, "Datum vratenia"},
                     {"RB3", "QRadioButton", g, {24, 88, 113, 17}, "Nazov CD"},
                     {"RB4", "QRadioButton", g, {24, 112, 113, 17}, "Nazov Albumu"},
                     {"RB5", "QRadioButton", g, {24, 136, 113, 17}, "Priezvisko"},
                     {"Button", "QPushButton", g, {136, 176, 75, 25}, "Nastav"}});
        QVERIFY(option(dialog, 1)->isChecked());
    }

    void searchLayout()
    {
        TFormVyhladaj dialog;
        const char *g = "GroupBox1";
        checkLayout(dialog, "FormVyhladaj", "Nastavenie vyhladavania", {397, 220}, {364, 242}, true,
                    {{g, "QGroupBox", "FormVyhladaj", {8, 8, 345, 225}, "  Vyhladavanie  "},
                     {"Button", "QPushButton", g, {256, 192, 75, 25}, "Nastav"},
                     {"RB1", "QRadioButton", g, {16, 40, 113, 17}, "Datum pozicania"},
                     {"RB2", "QRadioButton", g, {16, 64, 113, 17}, "Autor CD"},
                     {"RB3", "QRadioButton", g, {16, 88, 113, 17}, "Nazov Albumu"},
                     {"RB4", "QRadioButton", g, {16, 112, 113, 17}, "Priezvisko"},
                     {"RB5", "QRadioButton", g, {16, 136, 113, 17}, "Typ CD"}});
        QVERIFY(option(dialog, 1)->isChecked());
    }

    void settings_data()
    {
        QTest::addColumn<Which>("which");
        QTest::newRow("sort") << Which::Tried;
        QTest::newRow("search") << Which::Vyhladaj;
    }

    // "Nastav" stores the option's place in box order, so "Nazov Albumu" gives sort mode 3;
    // the close box keeps the old value, while the dialog keeps the selection for next time.
    void settings()
    {
        QFETCH(Which, which);
        auto dialog = make(which);
        for (int i : {4, 1, 5, 2, 3}) {
            show(*dialog, i, true);
            QCOMPARE(setting(which), i - 1);
        }
        show(*dialog, 5, false);
        QCOMPARE(setting(which), 2);
        show(*dialog, 0, false);
        QVERIFY(option(*dialog, 5)->isChecked());
        show(*dialog, 0, true);
        QCOMPARE(setting(which), 4);
    }

    void keys_data()
    {
        QTest::addColumn<Which>("which");
        addKeyColumns();
        QTest::newRow("sort: Escape on an option")
            << Which::Tried << "RB3" << int(Qt::Key_Escape) << false;
        QTest::newRow("sort: Enter on an option")
            << Which::Tried << "RB1" << int(Qt::Key_Return) << false;
        QTest::newRow("sort: Enter on Nastav")
            << Which::Tried << "Button" << int(Qt::Key_Return) << true;
        QTest::newRow("search: Escape on Nastav")
            << Which::Vyhladaj << "Button" << int(Qt::Key_Escape) << false;
        QTest::newRow("search: Space on Nastav")
            << Which::Vyhladaj << "Button" << int(Qt::Key_Space) << true;
    }

    void keys()
    {
        QFETCH(Which, which);
        setting(which) = 4;
        auto dialog = make(which);
        pressRowKey(*dialog);
        QFETCH(bool, closes);
        QCOMPARE(setting(which), closes ? 0 : 4);
    }
};

QTEST_MAIN(TestNastavenia)
#include "tst_nastavenia.moc"
