#pragma once

#include "toolkit/Asker.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

/// Shows in a modal box, in Slovak, what kind of failure ended a command or start-up.
void ShowException(Asker &asker, QWidget *parent, std::exception_ptr exception);

/// Runs a menu command. An exception that escapes it is shown and the program goes on.
/// Commands are guarded here, before the exception reaches Qt's own frames, because
/// Qt Widgets is built without exception support and would skip its clean-up.
template <class Command> void RunCommand(Asker &asker, QWidget *parent, Command &&command) noexcept
{
    try {
        std::forward<Command>(command)();
    } catch (...) {
        ShowException(asker, parent, std::current_exception());
    }
}

/// The application object: owns the windows, runs the event loop, shows exceptions.
class Application : public QApplication {
    Q_OBJECT
  public:
    /// Qt keeps references to `argc` and `argv` for the whole run.
    Application(int &argc, char **argv, Asker &asker = defaultAsker());
    /// Destroys the windows it still owns, newest first.
    ~Application() override;

    /// The program's font (with stand-ins where "MS Sans Serif" is missing) and icon, and
    /// Qt's own texts in the language of the system's locale.
    void Initialize();

    /// Creates a window owned by this object and stores it in `instance`. The first one
    /// becomes the main window. Further arguments go to the constructor after the parent.
    template <class Form, class... Args> void CreateForm(Form *&instance, Args &&...args)
    {
        auto form = std::make_unique<Form>(nullptr, std::forward<Args>(args)...);
        instance = form.get();
        adopt(form.release());
    }

    /// Shows the main window and dispatches events until `Terminate`; returns 0.
    int Run();

    /// Start-up as one guarded block: `Initialize`, `createForms`, `Run`. An exception that
    /// escapes it is shown once, the windows made so far are destroyed, and 0 is returned.
    int Start(const std::function<void()> &createForms);

    /// Makes the event loop return after the current event. Unlike quit(), this sends no
    /// close events, so the main window does not ask a second time.
    void Terminate();

    void ShowException(std::exception_ptr exception);

    /// Also shows exceptions thrown from event handlers, and the loop goes on.
    bool notify(QObject *receiver, QEvent *event) override;

    QWidget *mainForm() const { return mainForm_; }

  private:
    void adopt(QWidget *form);
    void destroyForms();

    Asker &asker_;
    std::vector<QPointer<QWidget>> forms_;
    QPointer<QWidget> mainForm_;
};
