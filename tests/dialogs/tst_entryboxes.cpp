// The entry dialog's boxes refuse the bar, the file's separator, typed or pasted (a paste
// that holds one is refused whole); all else arrives as typed. The search box takes the bar.
#include "DialogTest.h"

#include "dialogs/Hladanie.h"
#include "dialogs/Zadajcd.h"

#include <QClipboard>

class TstEntryBoxes : public QObject {
    Q_OBJECT

  private slots:
    void boxes()
    {
        const QString title = QString::fromUtf8("Ľadová kráľovná | zima");
        const QString kept = QString::fromUtf8("Ľadová kráľovná  zima");
        const struct {
            QString input;
            bool paste;
            QString shown;
        } rows[] = {{title, false, kept}, {title, true, ""}, {kept, true, kept}, {"0", false, "0"}};
        ZoznamCD zoznam;
        TFormZadajCd dialog(nullptr, zoznam);
        THladanieForm search(nullptr, zoznam, 0);
        auto edits = dialog.findChildren<QLineEdit *>();
        QCOMPARE(edits.size(), 17);
        edits << search.findChild<QLineEdit *>("Edit1");
        for (const auto &row : rows) {
            for (QLineEdit *edit : edits) {
                edit->clear();
                QGuiApplication::clipboard()->setText(row.input);
                if (row.paste)
                    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
                else
                    DialogTest::typeText(edit, row.input);
                QCOMPARE(edit->text(), edit == edits.last() ? row.input : row.shown);
            }
        }
    }
};

QTEST_MAIN(TstEntryBoxes)
#include "tst_entryboxes.moc"
