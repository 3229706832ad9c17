#include "dialogs/Zadajcd.h"

#include "toolkit/CodePage.h"
#include "dialogs/AutoSizeLabels.h"
#include "dialogs/RefusalHint.h"
#include "dialogs/WindowFrames.h"
#include "ui_Zadajcd.h"

#include <limits>

std::string TextPesniciek;
TFormZadajCd *FormZadajCd = nullptr;

TFormZadajCd::TFormZadajCd(QWidget *parent, ZoznamCD &zoznam)
    : FormDialog(parent, WindowFrames::kFixedDialog), ui(std::make_unique<Ui::TFormZadajCd>()),
      zoznam_(zoznam)
{
    ui->setupUi(this);
    move(357, 172);
    AutoSizeLabels(this);
    // The database file holds Windows-1250 bytes: a character it cannot hold would be
    // changed silently on saving, so the boxes refuse it as it is typed or pasted. So is
    // the bar, the file's separator: inside a text it would shift every later item. A hint
    // at the box says which character was refused, and why.
    auto *validator = new CodePageValidator(this, QStringLiteral("|"));
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        edit->setValidator(validator);
        new RefusalHint(edit);
        // A record's texts have no length limit; Qt's boxes would cut at 32,767 characters.
        edit->setMaxLength(std::numeric_limits<int>::max());
    }
    connect(ui->UlozBtn, &QPushButton::clicked, this, &TFormZadajCd::UlozBtnClick);
}

TFormZadajCd::~TFormZadajCd() = default;

void TFormZadajCd::UlozBtnClick()
{
    const QLineEdit *const songs[] = {ui->Edit1, ui->Edit2, ui->Edit3, ui->Edit4, ui->Edit5,
                                      ui->Edit6, ui->Edit7, ui->Edit8, ui->Edit9, ui->Edit10};
    std::string text;
    for (const QLineEdit *song : songs) {
        text += CodePage::fromQString(song->text());
        text += '|';
    }
    TextPesniciek = std::move(text);

    auto zaznam = std::make_unique<ZaznamCD>();
    zaznam->setPesnicky(TextPesniciek);
    zaznam->setNazovCD(CodePage::fromQString(ui->Edit12->text()));
    zaznam->setAutorCD(CodePage::fromQString(ui->Edit11->text()));
    zaznam->setTypCD(CodePage::fromQString(ui->Edit13->text()));
    zaznam->setDatumPozicania(CodePage::fromQString(ui->Edit14->text()));
    zaznam->setDatumVratenia(CodePage::fromQString(ui->Edit15->text()));
    zaznam->setMeno(CodePage::fromQString(ui->Edit16->text()));
    zaznam->setPriezvisko(CodePage::fromQString(ui->Edit17->text()));
    // Filled before it is linked, so a failure on the way leaves the list as it was.
    zoznam_.PripojZaznam(zaznam.release());
    close();
}
