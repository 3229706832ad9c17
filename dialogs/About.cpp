#include "dialogs/About.h"

#include "dialogs/WindowFrames.h"
#include "ui_About.h"

TAboutForm *AboutForm = nullptr;

TAboutForm::TAboutForm(QWidget *parent)
    : FormDialog(parent, WindowFrames::kSizeable), ui(std::make_unique<Ui::TAboutForm>())
{
    ui->setupUi(this);
    move(228, 315); // outer size 427 x 311
    connect(ui->Button, &QPushButton::clicked, this, &TAboutForm::ButtonClick);
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::ButtonClick()
{
    close();
}
