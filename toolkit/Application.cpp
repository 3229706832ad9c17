#include "toolkit/Application.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <new>
#include <stdexcept>

namespace {

// Qt's own catalogue for the user's language. Qt 6 asks for the standard buttons' texts
// ("Cancel", "&Yes") in the context QPlatformTheme, but some catalogues, the Slovak one among
// them, hold them only in the context QDialogButtonBox, where Qt 5 asked for them.
class QtTexts : public QTranslator {
  public:
    using QTranslator::QTranslator;

    bool loadFor(const QLocale &locale)
    {
        return catalogue_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        QString text = catalogue_.translate(context, sourceText, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0)
            text = catalogue_.translate("QDialogButtonBox", sourceText, disambiguation, n);
        return text;
    }

    bool isEmpty() const override { return catalogue_.isEmpty(); }

  private:
    QTranslator catalogue_;
};

} // namespace

void ShowException(Asker &asker, QWidget *parent, std::exception_ptr exception)
{
    // The program's own words by the kind of failure: an exception's what() is English, and
    // meant for developers.
    QString message = QStringLiteral("Neznama chyba.");
    try {
        std::rethrow_exception(exception);
    } catch (const std::bad_alloc &) {
        message = QStringLiteral("Nedostatok pamate.");
    } catch (const std::length_error &) {
        message = QStringLiteral("Text je prilis dlhy.");
    } catch (...) {
    }
    asker.messageBox(parent, message, QStringLiteral("Platnovnik"), Box::Ok | Box::IconStop);
}

Application::Application(int &argc, char **argv, Asker &asker)
    : QApplication(argc, argv), asker_(asker)
{
    // Only `Terminate` ends the program, whichever window is closed last.
    setQuitOnLastWindowClosed(false);
}

Application::~Application()
{
    destroyForms();
}

void Application::Initialize()
{
    setApplicationName(QStringLiteral("Platnovnik"));
    // What Qt draws itself (standard buttons, file dialogs, context menus) in the user's
    // language; the program's own texts are Slovak whatever the locale.
    auto *qtTexts = new QtTexts(this);
    if (qtTexts->loadFor(QLocale()))
        installTranslator(qtTexts);
    else
        delete qtTexts;
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans")});
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    Q_INIT_RESOURCE(icons); // the icons live in a static library
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/platnovnik-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/platnovnik-32.png"), QSize(32, 32));
    setWindowIcon(icon);
}

void Application::adopt(QWidget *form)
{
    forms_.emplace_back(form);
    if (!mainForm_)
        mainForm_ = form;
}

void Application::destroyForms()
{
    while (!forms_.empty()) {
        delete forms_.back().data(); // a window destroyed earlier left a null here
        forms_.pop_back();
    }
}

int Application::Run()
{
    if (mainForm_)
        mainForm_->show();
    exec();
    return 0;
}

int Application::Start(const std::function<void()> &createForms)
{
    try {
        Initialize();
        createForms();
        return Run();
    } catch (...) {
        ShowException(std::current_exception());
    }
    destroyForms();
    return 0;
}

void Application::Terminate()
{
    exit(0);
}

void Application::ShowException(std::exception_ptr exception)
{
    ::ShowException(asker_, activeWindow(), exception);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowException(std::current_exception());
        return false;
    }
}
