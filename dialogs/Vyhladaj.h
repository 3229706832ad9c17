#pragma once

#include "toolkit/FormDialog.h"
#include "core/Pole.h"

#include <QString>

#include <array>
#include <cstdint>
#include <iterator>
#include <memory>

namespace Ui {
class TFormVyhladaj;
}
class QRadioButton;

/// The search option that "Nastav" stores: the number of its box, counted from 0 in the
/// order of the boxes; `searchField` says which field each searches. 0 at start.
extern std::int32_t TypVyhladavania;

/// "Nastavenie vyhladavania": one window for the whole run, so the selection the user
/// leaves is shown again next time, whether or not it was stored.
class TFormVyhladaj : public FormDialog {
    Q_OBJECT
  public:
    explicit TFormVyhladaj(QWidget *parent = nullptr);
    ~TFormVyhladaj() override;

    /// The caption of the box of the setting that a search with `setting` works with
    /// (`searchSetting`).
    QString caption(std::int32_t setting) const;

  public slots:
    /// "Nastav": stores the selected option in `TypVyhladavania` and closes the dialog.
    void ButtonClick();

  private:
    /// The boxes in the order of their settings.
    std::array<const QRadioButton *, std::size(kSearchFields)> options() const;

    std::unique_ptr<Ui::TFormVyhladaj> ui;
};

extern TFormVyhladaj *FormVyhladaj;
