#include "dialogs/Triedenie.h"

#include "core/Triedenie.h"
#include "dialogs/RadioChoice.h"
#include "dialogs/WindowFrames.h"
#include "ui_Triedenie.h"

TFormTried *FormTried = nullptr;

TFormTried::TFormTried(QWidget *parent)
    : FormDialog(parent, WindowFrames::kSizeable), ui(std::make_unique<Ui::TFormTried>())
{
    ui->setupUi(this);
    move(441, 315); // outer size 273 x 283
    connect(ui->Button, &QPushButton::clicked, this, &TFormTried::ButtonClick);
}

TFormTried::~TFormTried() = default;

std::array<const QRadioButton *, std::size(kSortFields)> TFormTried::options() const
{
    return settingBoxes<std::size(kSortFields)>(ui->RB1, ui->RB2, ui->RB3, ui->RB4, ui->RB5);
}

QString TFormTried::caption(std::int32_t mode) const
{
    return sortField(mode) ? options()[std::size_t(mode)]->text() : QString();
}

void TFormTried::ButtonClick()
{
    // The box's number is the mode; kSortFields says what each sorts by ("Nazov Albumu", RB4,
    // by AutorCD).
    TypTriedenia = checkedIndex(options());
    close();
}
