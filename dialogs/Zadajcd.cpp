#include "dialogs/Zadajcd.h"

#include "toolkit/CodePage.h"
#include "dialogs/AutoSizeLabels.h"
#include "dialogs/RefusalHint.h"
#include "dialogs/WindowFrames.h"
#include "ui_Zadajcd.h"

#include <iterator>
#include <limits>

namespace {

using Box = QLineEdit *Ui::TFormZadajCd::*;
using Form = Ui::TFormZadajCd;

// The boxes of the song titles, in order.
constexpr Box kSongBoxes[] = {&Form::Edit1, &Form::Edit2, &Form::Edit3, &Form::Edit4,
                              &Form::Edit5, &Form::Edit6, &Form::Edit7, &Form::Edit8,
                              &Form::Edit9, &Form::Edit10};
static_assert(std::size(kSongBoxes) == kSongTitles, "a box for each title");

// The box of each later field, in file order ("Autor CD" is Edit11, "Nazov CD" Edit12).
constexpr struct {
    Pole pole;
    Box box;
} kFieldBoxes[] = {{Pole::NazovCD, &Form::Edit12},      {Pole::AutorCD, &Form::Edit11},
                   {Pole::TypCD, &Form::Edit13},        {Pole::DatumPozicania, &Form::Edit14},
                   {Pole::Meno, &Form::Edit16},         {Pole::Priezvisko, &Form::Edit17},
                   {Pole::DatumVratenia, &Form::Edit15}};
static_assert(
    [] {
        int f = 1;
        for (const auto &field : kFieldBoxes)
            if (field.pole != Pole(f++))
                return false;
        return f == PocetPoli;
    }(),
    "a box for each field after the songs, in file order");

} // namespace

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
    std::string text;
    for (Box song : kSongBoxes) {
        text += CodePage::fromQString((ui.get()->*song)->text());
        text += '|';
    }
    TextPesniciek = std::move(text);

    auto zaznam = std::make_unique<ZaznamCD>();
    zaznam->setPesnicky(TextPesniciek);
    for (const auto &field : kFieldBoxes)
        zaznam->setText(field.pole, CodePage::fromQString((ui.get()->*field.box)->text()));
    // Filled before it is linked, so a failure on the way leaves the list as it was.
    zoznam_.PripojZaznam(zaznam.release());
    close();
}
