#pragma once

#include "storage/FileIdentity.h"
#include "toolkit/Asker.h"
#include "toolkit/FileDialog.h"

#include <QMainWindow>

#include <memory>
#include <optional>

namespace Ui {
class TMainForm;
}
class FocusTeller;
class QCloseEvent;
class QLabel;

/// The main window: the menu with every command, the record count and the sort's progress.
/// The enabled state of the "Save" item is the unsaved-changes flag; there is no other.
class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    /// Questions go to `asker`; the real message boxes and file dialogs when none is given.
    explicit TMainForm(QWidget *parent = nullptr, Asker *asker = nullptr);
    ~TMainForm() override;

    FileDialog OpenDialog;
    FileDialog SaveDialog;

  public slots:
    void OpenClick();
    void SaveClick();
    /// The save dialog's last check: it always lets the dialog close.
    void SaveDialogCanClose(bool &CanClose);
    void End1Click();
    void PridajZaznamCD1Click();
    void Vypispoziciek1Click();
    void Triedenie1Click();
    void Vybertriedenia1Click();
    void Vyhladanie1Click();
    void NastavenieVyhladavania1Click();
    void Oprograme1Click();

  signals:
    /// "End", or closing the window, after the user has agreed: the program is to end.
    void terminateRequested();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    /// The close notification: asks about unsaved changes; false refuses the close.
    bool FormClose();
    bool unsavedChanges() const;
    /// Asks the end prompt if there are unsaved changes; true when the program may end.
    bool mayEnd();
    int ask(const QString &text, int flags = 0);
    void report(const QString &text);
    void showCount();
    /// Puts the record count, and after a sort its key, where a screen reader finds it.
    void describeRecords(bool sorted);
    void fitLabels();

    std::unique_ptr<Ui::TMainForm> ui;
    Asker &asker_;
    /// The file the collection in memory was opened from or last saved to, so that Save asks
    /// before it replaces any other; none for a collection begun here.
    std::optional<FileIdentity> collectionFile_;
    FocusTeller *focusTeller_;
};

/// The main window of the running program, created first at start-up.
extern TMainForm *MainForm;
