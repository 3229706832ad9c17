#pragma once

#include "toolkit/FormDialog.h"
#include "core/Pole.h"

#include <QString>

#include <array>
#include <cstdint>
#include <iterator>
#include <memory>

class QRadioButton;

namespace Ui {
class TFormTried;
}

/// "Nastavenie triedenia": chooses the key of the next sort pass. One window for the whole
/// run, so the selection the user leaves is shown again next time, whether or not it was stored.
class TFormTried : public FormDialog {
    Q_OBJECT
  public:
    explicit TFormTried(QWidget *parent = nullptr);
    ~TFormTried() override;

    /// The caption of the option of a sort mode; none for a mode outside `kSortFields`.
    QString caption(std::int32_t mode) const;

  public slots:
    /// "Nastav": stores the number of the selected box, counted from 0 in the order `RB1` to
    /// `RB5`, in `TypTriedenia` and closes the dialog.
    void ButtonClick();

  private:
    /// The boxes in the order of their modes.
    std::array<const QRadioButton *, std::size(kSortFields)> options() const;

    std::unique_ptr<Ui::TFormTried> ui;
};

extern TFormTried *FormTried;
