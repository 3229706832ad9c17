#pragma once

#include "toolkit/FormDialog.h"
#include "core/ZoznamCD.h"

#include <QDate>

#include <memory>

namespace Ui {
class TVypisForm;
}
class ListingModel;
class QCloseEvent;
class QHideEvent;
class QShowEvent;

/// "Vypis Platnovnik": every record in list order, one row each after a blank row.
/// The listing command makes a fresh one for each showing and destroys it afterwards;
/// the list must not change while it is shown.
class TVypisForm : public FormDialog {
    Q_OBJECT
  public:
    /// Loans due before `dnes` are marked overdue; a null `dnes` stands for the system's date
    /// at each showing.
    explicit TVypisForm(QWidget *parent = nullptr, const ZoznamCD &zoznam = Zoznam,
                        const QDate &dnes = {});
    ~TVypisForm() override;

  public slots:
    /// Fills the rows from the list; runs as the dialog is shown, before the user can act.
    void FormShow();
    /// "OK": ends the showing.
    void Button1Click();
    /// The close event: lets the dialog close and touches nothing else.
    void FormClose(QCloseEvent *event);

  protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    std::unique_ptr<Ui::TVypisForm> ui;
    const ZoznamCD &zoznam_;
    const QDate dnes_;
    ListingModel *model_;
};

extern TVypisForm *VypisForm;
