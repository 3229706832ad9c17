#pragma once

#include "toolkit/FormDialog.h"
#include "core/ZoznamCD.h"
#include "dialogs/Vyhladaj.h"

#include <QDate>
#include <QString>

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
    /// `pole` selects the searched field as the search settings number it (`kSearchFields`), and
    /// `caption` is that setting's caption in the search settings window; a null caption is
    /// read from a settings window made for the purpose. Loans due before `dnes` are marked
    /// overdue; a null `dnes` stands for the system's date at each showing.
    explicit THladanieForm(QWidget *parent = nullptr, const ZoznamCD &zoznam = Zoznam,
                           std::int32_t pole = TypVyhladavania, const QDate &dnes = {},
                           const QString &caption = {});
    ~THladanieForm() override;

  protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

  private:
    void Edit1Change(const QString &text);
    void Button1Click();
    /// Takes the list afresh, with the loans overdue as of today.
    void takeRecords();
    QDate today() const { return dnes_.isValid() ? dnes_ : QDate::currentDate(); }

    std::unique_ptr<Ui::THladanieForm> ui;
    const ZoznamCD &zoznam_;
    std::int32_t pole_;
    const QDate dnes_;
    SearchResultModel *model_;
    // The list may change while the window is hidden; the next showing takes it afresh.
    bool stale_ = false;
};
