// Shows one dialog at its designed place and saves a picture of it with ImageMagick's
// `import`; scripts/screenshots.sh runs it under Xvfb for each dialog.
//   dialog_gallery mainform|zadajcd|vypiscd|triedenie|vyhladaj|hladanie|about OUTPUT.png

#include "toolkit/Application.h"
#include "toolkit/CodePage.h"
#include "app/MainForm.h"
#include "dialogs/About.h"
#include "dialogs/Hladanie.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"

#include <QLineEdit>
#include <QProcess>
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

    std::unique_ptr<QWidget> dialog;
    if (which == "mainform")
        dialog.reset(new TMainForm);
    else if (which == "hladanie") {
        dialog.reset(new THladanieForm(nullptr, Zoznam, 3));
        dialog->findChild<QLineEdit *>("Edit1")->setText(QStringLiteral("kovac"));
    } else if (which == "zadajcd")
        dialog.reset(new TFormZadajCd);
    else if (which == "vypiscd")
        dialog.reset(new TVypisForm);
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

    int status = 1;
    QTimer::singleShot(500, &app, [&] {
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
