#pragma once

#include "toolkit/FormDialog.h"
#include "core/ZoznamCD.h"
#include "dialogs/Vyhladaj.h"

#include <cstdint>
#include <memory>

namespace Ui {
class THladanieForm;
}
class QHideEvent;
class QShowEvent;
class SearchResultModel;

/// "Vyhladanie": the records whose selected field contains what the user types, found
/// again at every keystroke. It only reads the list.
class THladanieForm : public FormDialog {
    Q_OBJECT
  public:
    /// `pole` selects the searched field as the search settings number it (0..4).
    explicit THladanieForm(QWidget *parent = nullptr, const ZoznamCD &zoznam = Zoznam,
                           std::int32_t pole = TypVyhladavania);
    ~THladanieForm() override;

  protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

  private:
    void Edit1Change(const QString &text);
    void Button1Click();

    std::unique_ptr<Ui::THladanieForm> ui;
    const ZoznamCD &zoznam_;
    std::int32_t pole_;
    SearchResultModel *model_;
    // The list may change while the window is hidden; the next showing takes it afresh.
    bool stale_ = false;
};
