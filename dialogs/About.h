#pragma once

#include "toolkit/FormDialog.h"

#include <memory>

namespace Ui {
class TAboutForm;
}

/// "O programe": a memo the user may write in, kept for the whole run, and "OK".
class TAboutForm : public FormDialog {
    Q_OBJECT
  public:
    explicit TAboutForm(QWidget *parent = nullptr);
    ~TAboutForm() override;

  public slots:
    /// "OK": closes the dialog, exactly as its close box does.
    void ButtonClick();

  private:
    std::unique_ptr<Ui::TAboutForm> ui;
};

extern TAboutForm *AboutForm;
