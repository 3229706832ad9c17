#pragma once

#include "toolkit/FormDialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class TFormVyhladaj;
}

/// The search option that "Nastav" stores: 0 "Datum pozicania", 1 "Autor CD",
/// 2 "Nazov Albumu", 3 "Priezvisko", 4 "Typ CD" (the order of the boxes). 0 at start.
extern std::int32_t TypVyhladavania;

/// "Nastavenie vyhladavania": one window for the whole run, so the selection the user
/// leaves is shown again next time, whether or not it was stored.
class TFormVyhladaj : public FormDialog {
    Q_OBJECT
  public:
    explicit TFormVyhladaj(QWidget *parent = nullptr);
    ~TFormVyhladaj() override;

  public slots:
    /// "Nastav": stores the selected option in `TypVyhladavania` and closes the dialog.
    void ButtonClick();

  private:
    std::unique_ptr<Ui::TFormVyhladaj> ui;
};

extern TFormVyhladaj *FormVyhladaj;
