// The dialogs on their own: entry, listing, settings and search.
#include "core/SearchIndex.h"
#include "core/Triedenie.h"
#include "dialogs/Hladanie.h"
#include "dialogs/SearchFolding.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"
#include "tests/WindowTest.h"
#include "toolkit/CodePage.h"

namespace {

using Found = std::vector<std::int32_t>;

template <class W = QWidget> W *child(QWidget &parent, const QString &name)
{
    return parent.findChild<W *>(name);
}

// Appends a record with these texts, the other fields as a new record has them.
void append(ZoznamCD &zoznam, std::initializer_list<std::pair<Pole, std::string>> texts)
{
    zoznam.PripojZaznam(new ZaznamCD);
    for (const auto &[pole, text] : texts)
        zoznam.Aktualny->setText(pole, text);
}

QStringList column(QWidget &window, int c)
{
    const QAbstractItemModel *rows = child<QTableView>(window, "ListView")->model();
    QStringList out;
    for (int r = 0; r < rows->rowCount(); ++r)
        out << rows->index(r, c).data().toString();
    return out;
}

// The positions found when the searched field (Priezvisko) of the records holds `texts`.
Found find(const std::vector<std::string> &texts, std::string_view query)
{
    ZoznamCD zoznam;
    for (const std::string &text : texts)
        append(zoznam, {{Pole::Priezvisko, text}});
    SearchIndex index(codePageFoldTables());
    index.build(zoznam, 3);
    Found matches;
    index.find(query, matches);
    return matches;
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

  private slots:
    // Each box feeds its own field as typed, in Windows-1250, which refuses what it cannot
    // hold; an empty song box gives two bars in a row. A second "Uloz" appends an equal record.
    void entryEachBoxFeedsItsField()
    {
        ZoznamCD zoznam;
        zoznam.PripojZaznam(new ZaznamCD);
        TFormZadajCd dialog(nullptr, zoznam);
        for (int i = 1; i <= 17; ++i) {
            child<QLineEdit>(dialog, QString("Edit%1").arg(i))->clear();
            typeText(child(dialog, QString("Edit%1").arg(i)),
                     i == 4 ? "" : QString::fromUtf8(" Š%1 €Ж中").arg(i));
        }
        for (int showing = 0; showing < 2; ++showing)
            QVERIFY(execWith(dialog, [&] { child<QPushButton>(dialog, "UlozBtn")->click(); }));
        const auto typed = [](int i) {
            return i == 4 ? std::string() : " \x8a" + std::to_string(i) + " \x80";
        };
        std::string songs;
        for (int i = 1; i <= 10; ++i)
            songs += typed(i) + "|";
        // In file order: the songs, the name (box 12), the author (11), ..., the due date (15).
        const std::string expected[] = {songs,     typed(12), typed(11), typed(13),
                                        typed(14), typed(16), typed(17), typed(15)};
        QCOMPARE(zoznam.PocetCd, 3);
        for (const ZaznamCD *z : {zoznam.Prvy->Dalsi, zoznam.Aktualny})
            for (int f = 0; f < PocetPoli; ++f)
                QCOMPARE(z->text(Pole(f)), expected[f]);
        QCOMPARE(TextPesniciek, songs);
    }

    // Escape closes nothing and Enter presses only a focused button, as Space does. The dialog
    // opens on the offscreen screen, 800 pixels wide, too narrow for where it was designed.
    void entryKeys()
    {
        // clang-format off
        for (auto [focus, key, closes] : {std::tuple{"Edit3", Qt::Key_Return, false},
                 {"Edit15", Qt::Key_Enter, false}, {"Edit16", Qt::Key_Escape, false},
                 {"UlozBtn", Qt::Key_Escape, false}, {"UlozBtn", Qt::Key_Space, true},
                 {"UlozBtn", Qt::Key_Return, true}}) {
            // clang-format on
            ZoznamCD zoznam;
            TFormZadajCd dialog(nullptr, zoznam);
            dialog.show();
            QVERIFY(dialog.screen()->availableGeometry().contains(dialog.frameGeometry()));
            QApplication::setActiveWindow(&dialog);
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            child(dialog, focus)->setFocus();
            QTest::keyClick(child(dialog, focus), key);
            QVERIFY2(dialog.isVisible() != closes && (zoznam.PocetCd == 1) == closes, focus);
        }
    }

    // A blank row, then a row per record in list order, a column per field; the walk stops
    // at the count.
    void listing()
    {
        const std::pair<Pole, const char *> columns[] = {
            {Pole::DatumPozicania, "D"}, {Pole::AutorCD, "A"}, {Pole::NazovCD, "N"},
            {Pole::DatumVratenia, "V"},  {Pole::Meno, " M"},   {Pole::Priezvisko, "P|"},
            {Pole::TypCD, "T "}};
        for (int count : {0, 1, 1'200}) {
            ZoznamCD zoznam;
            QList<QStringList> expected(7, QStringList{""}); // by column
            for (int i = count; i > 0; --i) {
                zoznam.PripojZaznam(new ZaznamCD);
                for (int c = 0; c < 7; ++c) {
                    zoznam.Aktualny->setText(columns[c].first,
                                             columns[c].second + std::to_string(i));
                    expected[c] << columns[c].second + QString::number(i);
                }
            }
            ZaznamCD stray;
            if (count)
                zoznam.Aktualny->Dalsi = &stray;
            TVypisForm dialog(nullptr, zoznam);
            QList<QStringList> shown;
            QVERIFY(execWith(dialog, [&] {
                for (int c = 0; c < 7; ++c)
                    shown << column(dialog, c);
                child<QPushButton>(dialog, "Button1")->click();
            }));
            QCOMPARE(shown, expected);
        }
    }

    // "Nastav" stores the chosen option's value, so "Nazov Albumu" sorts by AutorCD (3);
    // the close box keeps the old value, and the window the selection for its next showing.
    void settings()
    {
        TFormTried tried;
        TFormVyhladaj vyhladaj;
        // clang-format off
        for (auto [dialog, setting, options] : {std::tuple<QDialog *, std::int32_t *, QStringList>{
                 &tried, &TypTriedenia,
                 {"Datum pozicania", "Datum vratenia", "Nazov CD", "Nazov Albumu", "Priezvisko"}},
                 {&vyhladaj, &TypVyhladavania,
                 {"Datum pozicania", "Autor CD", "Nazov Albumu", "Priezvisko", "Typ CD"}}}) {
            for (auto [option, nastav, value] : {std::tuple{3, true, 3}, {0, true, 0}, {4, true, 4},
                     {1, true, 1}, {2, true, 2}, {4, false, 2}, {-1, true, 4}}) {
                // clang-format on
                QVERIFY(execWith(*dialog, [&, option = option, nastav = nastav] {
                    for (auto *rb : dialog->findChildren<QRadioButton *>())
                        if (rb->text() == options.value(option))
                            rb->click();
                    nastav ? child<QPushButton>(*dialog, "Button")->click() : void(dialog->close());
                }));
                QCOMPARE(*setting, value);
            }
            *setting = 0;
        }
    }

    // Windows-1250: 0xE1 'á', 0xE8 'č', 0xE4 'ä'.
    void searchRules()
    {
        const struct {
            const char *field, *query;
            bool matches;
        } rows[] = {
            // clang-format off
            {"KOVAC", "kovac", true}, {"kovac", "KOVAC", true}, {"Beatles", "atl", true},
            {"Kova\xE8", "Kov\xE1\xE8", false}, // one letter with diacritics makes all count
            {"co", "\xE8o", false}, // wherever it stands
            {"Kov\xE4\xE8", "kov\xE1\xE8", false}, {"Beatles", "les", true},
            {"Beatles", "beatles!", false}, {"Beatles", "btl", false}, {"Abbey Road", "yr", false},
            {"Beatles", "", true}, {"", "", true}, {"", "a", false},
            // clang-format on
        };
        for (const auto &r : rows)
            QVERIFY2(find({r.field}, r.query).empty() != r.matches, r.query);
        // Never across two records, not even through the byte that parts them in the index.
        QVERIFY(find({"ab", "cd"}, "bc").empty() && find({"a", "", "a"}, "aa").empty());
        QVERIFY(find({"ab", "cd"}, std::string("b\0c", 3)).empty());
        QVERIFY(find({"ab"}, std::string("b\0", 2)).empty());
        QCOMPARE(find({"ab", std::string("x\0y", 3)}, std::string("\0y", 2)), Found{1});
        // Every Slovak letter with diacritics: the plain letter finds it in either case; the
        // letter finds both cases of itself and not the plain letter.
        const QString small = "áäčďéíĺľňóôŕšťúýž", capital = "ÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ";
        const QString plain = "aacdeillnoorstuyz";
        for (int i = 0; i < small.size(); ++i) {
            const auto bytes = [&](const QString &s) { return CodePage::fromQString(s.mid(i, 1)); };
            const std::vector<std::string> texts = {"x" + bytes(small) + "y", bytes(capital),
                                                    bytes(plain), bytes(plain.toUpper())};
            QCOMPARE(find(texts, bytes(plain)), (Found{0, 1, 2, 3}));
            QCOMPARE(find(texts, bytes(small)), (Found{0, 1}));
            QCOMPARE(find(texts, bytes(capital)), (Found{0, 1}));
        }
    }

    // Record i holds the mark in the field of setting i, the last one only in fields no
    // setting searches. A window made as the menu makes it takes the program's list.
    void searchEachSettingItsFieldAndAChangedList()
    {
        const Pole fields[] = {Pole::DatumPozicania, Pole::AutorCD, Pole::NazovCD, Pole::Priezvisko,
                               Pole::TypCD};
        for (Pole marked : fields) {
            Zoznam.PripojZaznam(new ZaznamCD);
            for (Pole pole : fields)
                Zoznam.Aktualny->setText(pole, pole == marked ? "xMARKx" : "plain");
        }
        append(Zoznam,
               {{Pole::Meno, "mark"}, {Pole::DatumVratenia, "mark"}, {Pole::Pesnicky, "mark"}});
        const char *captions[] = {"Datum pozicania", "Autor CD", "Nazov Albumu", "Priezvisko",
                                  "Typ CD"};
        const int columns[] = {0, 1, 2, 5, 6};
        for (int pole : {0, 1, 2, 3, 4, 9, -1}) {
            const int shown = pole >= 0 && pole < int(std::size(fields)) ? pole : 0;
            TypVyhladavania = pole;
            THladanieForm w;
            QCOMPARE(child<QLabel>(w, "Label1")->text(), QString("Hladat v: ") + captions[shown]);
            QTest::keyClicks(child(w, "Edit1"), "mark");
            QCOMPARE(column(w, columns[shown]), QStringList{"xMARKx"});
            QCOMPARE(child<QLabel>(w, "Label2")->text(), QString("Najdene: 1, po termine: 0"));
        }
        TypVyhladavania = 0;
        // The next showing reads the list afresh, even when the records it showed are gone.
        THladanieForm w(nullptr, Zoznam, searchSettingOf(Pole::Priezvisko));
        w.show();
        QTest::keyClicks(child(w, "Edit1"), "mark");
        w.close();
        append(Zoznam, {{Pole::Priezvisko, "Remark"}});
        w.show();
        QCOMPARE(column(w, 5), (QStringList{"xMARKx", "Remark"}));
        w.close();
        Zoznam.VymazVsetky();
        w.show();
        QCOMPARE(column(w, 5), QStringList());
    }

    // The entry boxes refuse the bar, the file's separator, typed or pasted (a paste that
    // holds one is refused whole), and so is a NUL, which would end the text in the file; all
    // else arrives as typed, of any length. The search box takes the bar. A hint at the box,
    // its accessible description until the next key, names the first refused character.
    void entryBoxesRefuseTheBar()
    {
        const QString title = QString::fromUtf8("Ľadová kráľovná | zima");
        const QString kept = QString::fromUtf8("Ľadová kráľovná  zima");
        const QString codePage = "subor je v kodovej stranke Windows-1250, ktora ho nema.";
        const struct {
            QString input;
            bool paste;
            QString shown, hint;
        } rows[] = {
            {title, false, kept, ""}, // the keys after the bar hide its hint
            {"Zima |", false, "Zima ", "Znak \"|\" sa neda zadat: v subore oddeluje polozky."},
            {title, true, "",
             "Text sa neda vlozit, obsahuje znak \"|\": v subore oddeluje polozky."},
            {kept, true, kept, ""},
            {"0", false, "0", ""},
            {QString("a") + QChar(0) + "b", true, "",
             "Text sa neda vlozit, obsahuje znak NUL: v subore by ukoncil polozku."},
            {QString::fromUtf8("Zima ø"), false, "Zima ",
             QString::fromUtf8("Znak \"ø\" sa neda zadat: ") + codePage},
            {QString::fromUtf8("x😀\u2003"), true, "",
             QString::fromUtf8("Text sa neda vlozit, obsahuje znak \"😀\": ") + codePage},
            {QString::fromUtf8("x\u2003😀"), true, "",
             "Text sa neda vlozit, obsahuje znak U+2003: " + codePage},
            {kept.repeated(5'000), true, kept.repeated(5'000), ""}}; // 105,000 characters
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        THladanieForm search(nullptr, zoznam, 0);
        auto edits = dialog.findChildren<QLineEdit *>();
        QCOMPARE(edits.size(), 17);
        edits << search.findChild<QLineEdit *>("Edit1");
        const BridgeLog bridge; // a hint goes to screen readers as the box's new description
        for (const auto &r : rows) {
            for (QLineEdit *edit : edits) {
                const bool searchBox = edit == edits.last(); // takes the bar; searches are short
                if (searchBox && r.input.size() > 100)
                    continue;
                edit->clear();
                QGuiApplication::clipboard()->setText(r.input);
                if (r.paste)
                    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
                else
                    typeText(edit, r.input);
                const bool bar = searchBox && r.input.contains('|');
                const QString hint = bar ? "" : r.hint;
                QCOMPARE(edit->text(), bar ? r.input : r.shown);
                // The search box's own description, its count, comes back when the hint goes.
                const QString own = searchBox ? "Najdene: 0, po termine: 0" : "";
                const QAccessibleInterface *accessible =
                    QAccessible::queryAccessibleInterface(edit);
                QCOMPARE(accessible->text(QAccessible::Description), hint.isEmpty() ? own : hint);
                QVERIFY(!bridge.on || hint.isEmpty() || bridge.last == hint);
                const QLabel *tip = edit->findChild<QLabel *>();
                QCOMPARE(tip && tip->isVisible() ? tip->text() : "", hint);
                // A refusal while it shows (a paste from the box's menu) takes its place; the next
                // key hides it, and the box's own words come back.
                QGuiApplication::clipboard()->setText(QString::fromUtf8("ø"));
                edit->paste();
                QTest::keyClick(edit, Qt::Key_End);
                QCOMPARE(accessible->text(QAccessible::Description), own);
            }
        }
    }

    // Overdue loans as of 11 May 2003. The CD's name, in a column of the designed width or of
    // this one, shows its whole text, cut to a readable length, when it is cut itself.
    void overdueRowsCarryTheirDescription_data()
    {
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("whole");
        const QString name = "Dlha piesen c. 1 a este dlhsia", x = QString(400, 'x');
        // clang-format off
        QTest::newRow("a week, cut") << "04.05.2003" << "Po termine od 04.05.2003, 7 dni" << name << 100 << name;
        QTest::newRow("a day, 8 digits, widened") << "10052003" << "Po termine od 10.05.2003, 1 den" << name << 400 << "";
        QTest::newRow("since last year, one digit a part") << "1/2/2002" << "Po termine od 01.02.2002, 464 dni" << "Abbey" << 100 << "";
        QTest::newRow("due today, narrowed") << "11.05.2003" << "" << "Abbey" << 20 << "Abbey";
        QTest::newRow("no such day, two lines") << "30.02.2003" << "" << "A\r\nB" << 100 << "A\nB";
        QTest::newRow("too long") << "2003-05-04" << "Po termine od 04.05.2003, 7 dni" << x << 100 << x.left(300) + "...";
        // clang-format on
    }

    // Alike in the listing (after its blank row) and in the search, on light and dark cells;
    // the search counts the overdue rows it shows.
    void overdueRowsCarryTheirDescription()
    {
        QFETCH(QString, due);
        QFETCH(QString, description);
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(QString, whole);
        ZoznamCD zoznam;
        append(zoznam,
               {{Pole::DatumVratenia, due.toStdString()}, {Pole::NazovCD, name.toStdString()}});
        const QDate may11(2003, 5, 11);
        TVypisForm listing(nullptr, zoznam, may11);
        THladanieForm search(nullptr, zoznam, 0, may11);
        listing.show();
        search.show();
        for (QColor base : {QColor(Qt::white), QColor(0x2b, 0x2b, 0x2b)}) {
            QApplication::setPalette(QPalette(Qt::gray, base));
            for (auto [view, row] : {std::pair{child<QTableView>(listing, "ListView"), 1},
                                     {child<QTableView>(search, "ListView"), 0}}) {
                const QAbstractItemModel *model = view->model();
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
                view->setColumnWidth(2, width);
                const QPoint at = view->visualRect(model->index(row, 2)).center();
                QHelpEvent hover(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
                QApplication::sendEvent(view->viewport(), &hover);
                const QString tip =
                    description + (description.isEmpty() || whole.isEmpty() ? "" : "\n") + whole;
                QCOMPARE(hover.isAccepted() ? QToolTip::text() : "", tip);
            }
        }
        auto *found = search.findChild<QLabel *>("Label2");
        QCOMPARE(found->text(),
                 description.isEmpty() ? "Najdene: 1, po termine: 0" : "Najdene: 1, po termine: 1");
        const BridgeLog bridge; // the count is the search box's description too
        search.findChild<QLineEdit *>("Edit1")->setText("zz");
        QCOMPARE(found->text(), QString("Najdene: 0, po termine: 0"));
        QCOMPARE(bridge.on ? bridge.last : child(search, "Edit1")->accessibleDescription(),
                 found->text());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
