#include "dialogs/About.h"

#include "dialogs/WindowFrames.h"
#include "ui_About.h"

TAboutForm *AboutForm = nullptr;

TAboutForm::TAboutForm(QWidget *parent)
    : FormDialog(parent, WindowFrames::kSizeable), ui(std::make_unique<Ui::TAboutForm>())
{
    ui->setupUi(this);
    // Designed with an outer size of 427 x 311: a 4-pixel frame and a 19-pixel title bar
    // around the .ui's client area.
    move(228, 315);
    connect(ui->Button, &QPushButton::clicked, this, &TAboutForm::ButtonClick);
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::ButtonClick()
{
    close();
}
