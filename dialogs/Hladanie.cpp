#include "dialogs/Hladanie.h"
#include "ui_Hladanie.h"

#include "toolkit/CodePage.h"
#include "core/Pole.h"
#include "dialogs/RefusalHint.h"
#include "dialogs/SearchFolding.h"
#include "dialogs/SearchResultModel.h"
#include "dialogs/WindowFrames.h"

#include <QHideEvent>
#include <QShowEvent>

THladanieForm::THladanieForm(QWidget *parent, const ZoznamCD &zoznam, std::int32_t pole,
                             const QDate &dnes, const QString &caption)
    : FormDialog(parent, WindowFrames::kSizeable), ui(std::make_unique<Ui::THladanieForm>()),
      zoznam_(zoznam), pole_(searchSetting(pole)), dnes_(dnes),
      model_(new SearchResultModel(codePageFoldTables(), this))
{
    ui->setupUi(this);
    move(272, 232); // where the listing opens, with its outer size of 690 x 487

    ui->Label1->setText(QStringLiteral("Hladat v: ") +
                        (caption.isNull() ? TFormVyhladaj().caption(pole_) : caption));
    ui->Edit1->setValidator(new CodePageValidator(ui->Edit1));
    new RefusalHint(ui->Edit1);
    model_->showIn(ui->ListView);

    connect(ui->Edit1, &QLineEdit::textChanged, this, &THladanieForm::Edit1Change);
    connect(ui->Button1, &QPushButton::clicked, this, &THladanieForm::Button1Click);

    takeRecords();
}

THladanieForm::~THladanieForm() = default;

void THladanieForm::takeRecords()
{
    model_->setRecords(zoznam_, pole_, today());
    Edit1Change(ui->Edit1->text());
}

void THladanieForm::showEvent(QShowEvent *event)
{
    // A window made the day before is shown with today's overdue loans.
    if (stale_ || model_->dnes() != today()) {
        stale_ = false;
        takeRecords();
    }
    FormDialog::showEvent(event);
}

void THladanieForm::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        stale_ = true;
    FormDialog::hideEvent(event);
}

void THladanieForm::Edit1Change(const QString &text)
{
    // The validator keeps typing to the code page; text set any other way is checked here,
    // since a character the records cannot hold matches none of them.
    if (CodePage::canEncode(text))
        model_->setQuery(CodePage::fromQString(text));
    else
        model_->clearRows();
    ui->Label2->setText(QStringLiteral("Najdene: %1, po termine: %2")
                            .arg(model_->rowCount())
                            .arg(model_->overdueRows()));
    // A screen reader says nothing when a label changes; it says the description of the box
    // that has the focus.
    ui->Edit1->setAccessibleDescription(ui->Label2->text());
    // The count may be wider than the designed label; it grows to the right, never shrinks.
    ui->Label2->resize(ui->Label2->size().expandedTo(ui->Label2->sizeHint()));
}

void THladanieForm::Button1Click()
{
    close();
}
