// Shows one dialog at its designed place and saves a picture of it with ImageMagick's
// `import`; scripts/screenshots.sh runs it under Xvfb for each dialog. The listing and the
// search count loans as of 11 May 2003, so that the pictures keep their overdue rows.
// "potermine" is the listing with the tooltip of an overdue row, "potermine-tmave" the same
// on a dark palette.
//   dialog_gallery mainform|zadajcd|vypiscd|triedenie|vyhladaj|hladanie|about|
//                  potermine|potermine-tmave OUTPUT.png

#include "toolkit/Application.h"
#include "toolkit/CodePage.h"
#include "app/MainForm.h"
#include "dialogs/About.h"
#include "dialogs/Hladanie.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    Application app(argc, argv);
    app.Initialize();
    if (argc != 3) {
        std::fprintf(stderr, "usage: dialog_gallery DIALOG OUTPUT.png\n");
        return 2;
    }
    const QString which = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    // Date lent, author, album, date due, first name, surname, type.
    const char *const samples[][7] = {
        {"01.01.2001", "Beatles", "Abbey Road", "31.12.2100", "Ján", "Novák", "LP"},
        {"12.03.2003", "Elán", "Hodina slovenčiny", "20.03.2003", "Mária", "Kováčová", "CD"},
        {"05.05.2003", "Queen", "A Night at the Opera", "31.12.2100", "Peter", "Šťastný", "CD"},
        {"20.04.2003", "Pink Floyd", "The Wall", "04.05.2003", "Lucia", "KOVÁČ", "LP"}};
    for (const auto &sample : samples) {
        auto *z = new ZaznamCD;
        const Pole fields[] = {Pole::DatumPozicania, Pole::AutorCD, Pole::NazovCD,
                               Pole::DatumVratenia,  Pole::Meno,    Pole::Priezvisko,
                               Pole::TypCD};
        for (int i = 0; i < 7; ++i)
            z->setText(fields[i], CodePage::fromQString(QString::fromUtf8(sample[i])));
        Zoznam.PripojZaznam(z);
    }

    if (which == "potermine-tmave") {
        QPalette dark(QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
        dark.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
        dark.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
        dark.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xe8));
        dark.setColor(QPalette::ToolTipBase, QColor(0x42, 0x42, 0x42));
        dark.setColor(QPalette::ToolTipText, QColor(0xe8, 0xe8, 0xe8));
        dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
        QApplication::setPalette(dark);
    }
    const QDate dnes(2003, 5, 11);

    std::unique_ptr<QWidget> dialog;
    if (which == "mainform")
        dialog.reset(new TMainForm);
    else if (which == "hladanie") {
        dialog.reset(new THladanieForm(nullptr, Zoznam, searchSettingOf(Pole::Priezvisko), dnes));
        dialog->findChild<QLineEdit *>("Edit1")->setText(QStringLiteral("kovac"));
    } else if (which == "zadajcd")
        dialog.reset(new TFormZadajCd);
    else if (which == "vypiscd" || which.startsWith("potermine"))
        dialog.reset(new TVypisForm(nullptr, Zoznam, dnes));
    else if (which == "triedenie")
        dialog.reset(new TFormTried);
    else if (which == "vyhladaj")
        dialog.reset(new TFormVyhladaj);
    else if (which == "about")
        dialog.reset(new TAboutForm);
    else {
        std::fprintf(stderr, "unknown dialog\n");
        return 2;
    }
    dialog->show();

    if (which.startsWith("potermine")) {
        // The pointer rests on the overdue row of "The Wall", as a user's would.
        QTimer::singleShot(300, &app, [&] {
            auto *view = dialog->findChild<QTableView *>("ListView");
            const QPoint at = view->visualRect(view->model()->index(4, 2)).center();
            QHelpEvent hover(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
            QApplication::sendEvent(view->viewport(), &hover);
        });
    }

    int status = 1;
    QTimer::singleShot(800, &app, [&] {
        // Without a window manager the client area sits exactly at the window's position.
        const QRect a = dialog->geometry();
        const QString crop =
            QString("%1x%2+%3+%4").arg(a.width()).arg(a.height()).arg(a.x()).arg(a.y());
        status = QProcess::execute("import", {"-window", "root", "-crop", crop, "+repage", output});
        app.quit();
    });
    app.exec();
    return status == 0 ? 0 : 1;
}
