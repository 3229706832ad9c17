#include "toolkit/Application.h"
#include "app/MainForm.h"
#include "dialogs/About.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"

int main(int argc, char *argv[])
{
    // The program reads nothing from its command line, not even Qt's own options.
    int qtArgc = argc > 0 ? 1 : 0;
    char *qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    Application app(qtArgc, qtArgv);
    return app.Start([&app] {
        app.CreateForm(MainForm);
        QObject::connect(MainForm, &TMainForm::terminateRequested, &app, &Application::Terminate);
        app.CreateForm(FormZadajCd);
        app.CreateForm(AboutForm);
        app.CreateForm(VypisForm);
        app.CreateForm(FormTried);
        app.CreateForm(FormVyhladaj);
    });
}
