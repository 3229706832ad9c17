#include "dialogs/Vypiscd.h"

#include "dialogs/ListingModel.h"
#include "dialogs/WindowFrames.h"
#include "ui_Vypiscd.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QShowEvent>

TVypisForm *VypisForm = nullptr;

TVypisForm::TVypisForm(QWidget *parent, const ZoznamCD &zoznam, const QDate &dnes)
    : FormDialog(parent, WindowFrames::kSizeable), ui(std::make_unique<Ui::TVypisForm>()),
      zoznam_(zoznam), dnes_(dnes), model_(new ListingModel(this))
{
    ui->setupUi(this);
    move(272, 232); // outer size 690 x 487

    model_->showIn(ui->ListView);

    connect(ui->Button1, &QPushButton::clicked, this, &TVypisForm::Button1Click);
}

TVypisForm::~TVypisForm() = default;

void TVypisForm::FormShow()
{
    model_->fill(zoznam_, dnes_.isValid() ? dnes_ : QDate::currentDate());
}

void TVypisForm::Button1Click()
{
    close();
}

void TVypisForm::FormClose(QCloseEvent *event)
{
    FormDialog::closeEvent(event);
}

void TVypisForm::showEvent(QShowEvent *event)
{
    // A window restored from the task bar gets a spontaneous show event: no refill then.
    if (!event->spontaneous())
        FormShow();
    FormDialog::showEvent(event);
}

void TVypisForm::hideEvent(QHideEvent *event)
{
    FormDialog::hideEvent(event);
    // The model points into the list, which may change once the showing is over.
    if (!event->spontaneous())
        model_->clear();
}

void TVypisForm::closeEvent(QCloseEvent *event)
{
    FormClose(event);
}
