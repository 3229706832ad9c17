#pragma once

#include <QString>

#include <functional>

class QFileDialog;
class QWidget;

/// Style flags and results of the program's message boxes.
namespace Box {
inline constexpr int Ok = 0x00;             ///< one button, OK
inline constexpr int OkCancel = 0x01;       ///< OK and Cancel
inline constexpr int CancelDefault = 0x100; ///< with OK and Cancel: Enter presses Cancel
inline constexpr int IconStop = 0x10;       ///< the error icon
inline constexpr int IconWarning = 0x30;    ///< the exclamation icon
inline constexpr int ResultOk = 1;
inline constexpr int ResultCancel = 2; ///< also Escape and the close box
} // namespace Box

/// What a file dialog is to ask for.
struct FileQuestion {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString filter;        ///< in Qt's syntax: "Description (*.ext);;..."
    QString defaultSuffix; ///< without a dot; added to a name typed without one
    /// Asked with the chosen name before the dialog closes; false keeps it open. May be empty.
    std::function<bool(const QString &)> canClose;
};

/// Every question the program puts to the user goes through here, so that tests can answer
/// without a modal loop.
class Asker {
  public:
    virtual ~Asker() = default;
    /// Shows a modal message box and returns the pressed button (Box::ResultOk or ResultCancel).
    virtual int messageBox(QWidget *parent, const QString &text, const QString &caption,
                           int flags) = 0;
    /// Runs a modal file dialog; the chosen file's full path, or an empty string on cancel.
    virtual QString fileName(QWidget *parent, const FileQuestion &question) = 0;
};

/// The real message boxes and file dialogs.
class QtAsker : public Asker {
  public:
    int messageBox(QWidget *parent, const QString &text, const QString &caption,
                   int flags) override;
    QString fileName(QWidget *parent, const FileQuestion &question) override;
};

/// Sets `dialog` up to ask `question`. Neither kind asks anything of its own: the program asks
/// itself, and only when a save would replace another collection, and Open takes any name, also
/// one that does not exist, so that the program answers it in its own words.
void setUpFileDialog(QFileDialog &dialog, const FileQuestion &question);

/// The asker of windows that were given no other.
Asker &defaultAsker();
