// Shows one dialog at its designed place and saves a picture of it with ImageMagick's
// `import`; scripts/screenshots.sh runs it under Xvfb for each dialog.
//   dialog_gallery zadajcd|vypiscd|triedenie|vyhladaj|about OUTPUT.png

#include "app/Application.h"
#include "app/CodePage.h"
#include "dialogs/About.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"

#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

void addSample(ZoznamCD &zoznam, const char *datum, const char *autor, const char *nazov,
               const char *vratenie, const char *meno, const char *priezvisko, const char *typ)
{
    auto *z = new ZaznamCD;
    z->DatumPozicania = CodePage::fromQString(QString::fromUtf8(datum));
    z->AutorCD = CodePage::fromQString(QString::fromUtf8(autor));
    z->NazovCD = CodePage::fromQString(QString::fromUtf8(nazov));
    z->DatumVratenia = CodePage::fromQString(QString::fromUtf8(vratenie));
    z->Meno = CodePage::fromQString(QString::fromUtf8(meno));
    z->Priezvisko = CodePage::fromQString(QString::fromUtf8(priezvisko));
    z->TypCD = CodePage::fromQString(QString::fromUtf8(typ));
    zoznam.PripojZaznam(z);
}

} // namespace

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

    addSample(Zoznam, "01.01.2001", "Beatles", "Abbey Road", "31.12.2100", "Ján", "Novák", "LP");
    addSample(Zoznam, "12.03.2003", "Elán", "Hodina slovenčiny", "20.03.2003", "Mária", "Kováčová",
              "CD");
    addSample(Zoznam, "05.05.2003", "Queen", "A Night at the Opera", "31.12.2100", "Peter",
              "Šťastný", "CD");

    std::unique_ptr<QDialog> dialog;
    if (which == "zadajcd")
        dialog = std::make_unique<TFormZadajCd>();
    else if (which == "vypiscd")
        dialog = std::make_unique<TVypisForm>();
    else if (which == "triedenie")
        dialog = std::make_unique<TFormTried>();
    else if (which == "vyhladaj")
        dialog = std::make_unique<TFormVyhladaj>();
    else if (which == "about")
        dialog = std::make_unique<TAboutForm>();
    else {
        std::fprintf(stderr, "unknown dialog\n");
        return 2;
    }
    dialog->show();

    int status = 1;
    QTimer::singleShot(500, &app, [&] {
        // Without a window manager the client area sits exactly at the window's position.
        const QRect area = dialog->geometry();
        const QString crop = QStringLiteral("%1x%2+%3+%4")
                                 .arg(area.width())
                                 .arg(area.height())
                                 .arg(area.x())
                                 .arg(area.y());
        status = QProcess::execute(QStringLiteral("import"),
                                   {"-window", "root", "-crop", crop, "+repage", output});
        app.quit();
    });
    app.exec();
    return status == 0 ? 0 : 1;
}
