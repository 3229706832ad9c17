#include "dialogs/Vyhladaj.h"

#include "dialogs/RadioChoice.h"
#include "dialogs/WindowFrames.h"
#include "ui_Vyhladaj.h"

std::int32_t TypVyhladavania = 0;
TFormVyhladaj *FormVyhladaj = nullptr;

TFormVyhladaj::TFormVyhladaj(QWidget *parent)
    : FormDialog(parent, WindowFrames::kSizeable), ui(std::make_unique<Ui::TFormVyhladaj>())
{
    ui->setupUi(this);
    move(397, 220); // outer size 372 x 269
    connect(ui->Button, &QPushButton::clicked, this, &TFormVyhladaj::ButtonClick);
}

TFormVyhladaj::~TFormVyhladaj() = default;

std::array<const QRadioButton *, std::size(kSearchFields)> TFormVyhladaj::options() const
{
    return settingBoxes<std::size(kSearchFields)>(ui->RB1, ui->RB2, ui->RB3, ui->RB4, ui->RB5);
}

QString TFormVyhladaj::caption(std::int32_t setting) const
{
    return options()[std::size_t(searchSetting(setting))]->text();
}

void TFormVyhladaj::ButtonClick()
{
    TypVyhladavania = checkedIndex(options());
    close();
}
