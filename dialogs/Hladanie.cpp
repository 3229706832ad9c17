#include "dialogs/Hladanie.h"
#include "ui_Hladanie.h"

#include "toolkit/CodePage.h"
#include "dialogs/SearchFolding.h"
#include "dialogs/SearchResultModel.h"
#include "dialogs/WindowFrames.h"

#include <QHideEvent>
#include <QShowEvent>

namespace {

// The captions of the search settings, in the order of their numbers.
constexpr const char *kFieldCaptions[] = {"Datum pozicania", "Autor CD", "Nazov Albumu",
                                          "Priezvisko", "Typ CD"};

} // namespace

THladanieForm::THladanieForm(QWidget *parent, const ZoznamCD &zoznam, std::int32_t pole)
    : FormDialog(parent, WindowFrames::kSizeable), ui(std::make_unique<Ui::THladanieForm>()),
      zoznam_(zoznam), pole_(pole >= 0 && pole < 5 ? pole : 0),
      model_(new SearchResultModel(codePageFoldTables(), this))
{
    ui->setupUi(this);
    // Where the listing opens, with the same outer size of 690 x 487.
    move(272, 232);

    ui->Label1->setText(QStringLiteral("Hladat v: ") + QLatin1String(kFieldCaptions[pole_]));
    ui->Edit1->setValidator(new CodePageValidator(ui->Edit1));
    model_->showIn(ui->ListView);

    connect(ui->Edit1, &QLineEdit::textChanged, this, &THladanieForm::Edit1Change);
    connect(ui->Button1, &QPushButton::clicked, this, &THladanieForm::Button1Click);

    model_->setRecords(zoznam_, pole_);
    Edit1Change(ui->Edit1->text());
}

THladanieForm::~THladanieForm() = default;

void THladanieForm::showEvent(QShowEvent *event)
{
    if (stale_) {
        stale_ = false;
        model_->setRecords(zoznam_, pole_);
        Edit1Change(ui->Edit1->text());
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
    ui->Label2->setText(QStringLiteral("Najdene: ") + QString::number(model_->rowCount()));
}

void THladanieForm::Button1Click()
{
    close();
}
