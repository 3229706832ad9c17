#pragma once

#include "toolkit/FormDialog.h"
#include "core/ZoznamCD.h"

#include <memory>
#include <string>

namespace Ui {
class TFormZadajCd;
}

/// The songs text of the last "Uloz": the ten titles, each followed by one bar.
/// Empty until the first "Uloz".
extern std::string TextPesniciek;

/// "Zadaj Cd": the user types one record. One window for the whole run; nothing ever resets
/// its boxes, so each showing starts from what the user left in them.
class TFormZadajCd : public FormDialog {
    Q_OBJECT
  public:
    /// Records are appended to `zoznam`, which must outlive the dialog.
    explicit TFormZadajCd(QWidget *parent = nullptr, ZoznamCD &zoznam = Zoznam);
    ~TFormZadajCd() override;

  public slots:
    /// "Uloz": composes `TextPesniciek`, appends one record made of the boxes' texts
    /// exactly as typed, and closes the dialog.
    void UlozBtnClick();

  private:
    std::unique_ptr<Ui::TFormZadajCd> ui;
    ZoznamCD &zoznam_;
};

extern TFormZadajCd *FormZadajCd;
