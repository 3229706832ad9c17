#include "app/MainForm.h"
#include "ui_MainForm.h"

#include "toolkit/Application.h"
#include "toolkit/ScreenReader.h"
#include "toolkit/ScreenPlacement.h"
#include "app/DatabaseFile.h"
#include "app/Messages.h"
#include "core/Triedenie.h"
#include "core/ZoznamCD.h"
#include "dialogs/About.h"
#include "dialogs/Hladanie.h"
#include "dialogs/Triedenie.h"
#include "dialogs/Vyhladaj.h"
#include "dialogs/Vypiscd.h"
#include "dialogs/Zadajcd.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QShowEvent>

TMainForm *MainForm = nullptr;

namespace {

const QString kFilter = QStringLiteral("Platnovnik (*.pln)|*.pln");
const QString kDefaultExt = QStringLiteral("pln");

// The sort pass runs without returning to the event loop, so the bar is repainted here,
// but only when its filled part grows by a pixel.
class ProgressBarAdapter : public PriebehTriedenia {
  public:
    explicit ProgressBarAdapter(QProgressBar &bar) : bar_(bar) {}

    void setMaximum(int maximum) override { bar_.setMaximum(maximum); }

    void setPosition(int position) override
    {
        // QProgressBar ignores a value above its maximum, so the maximum never lags behind.
        if (position > bar_.maximum())
            bar_.setMaximum(position);
        bar_.setValue(position);
        const int filled =
            bar_.maximum() > 0 ? int(qint64(position) * bar_.width() / bar_.maximum()) : 0;
        if (filled != painted_) {
            painted_ = filled;
            bar_.repaint();
        }
    }

  private:
    QProgressBar &bar_;
    int painted_ = -1;
};

// Shows a dialog made at start-up, if the program has it.
void showModal(QDialog *dialog)
{
    if (dialog)
        dialog->exec();
}

} // namespace

TMainForm::TMainForm(QWidget *parent, Asker *asker)
    : QMainWindow(parent),
      OpenDialog(FileQuestion::Kind::Open, asker ? *asker : defaultAsker(), this),
      SaveDialog(FileQuestion::Kind::Save, asker ? *asker : defaultAsker(), this),
      ui(std::make_unique<Ui::TMainForm>()), asker_(asker ? *asker : defaultAsker()),
      focusTeller_(new FocusTeller(*this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("MainForm"));
    for (QAction *action : ui->File1->actions()) {
        if (action->isSeparator())
            action->setObjectName(QStringLiteral("N1"));
    }
    ui->StatusBar->setFixedHeight(19);
    fitLabels();
    // The designed size is the client area below the menu bar.
    resize(585, 351 + ui->MainMenu->sizeHint().height());
    move(268, 307);

    SaveDialog.Filter = kFilter;
    SaveDialog.DefaultExt = kDefaultExt;
    SaveDialog.OnCanClose = [this](bool &canClose) { SaveDialogCanClose(canClose); };
    OpenDialog.Filter = kFilter;
    OpenDialog.DefaultExt = kDefaultExt;

    const auto command = [this](QAction *action, void (TMainForm::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] {
            RunCommand(asker_, this, [this, handler] { (this->*handler)(); });
            focusTeller_->tell(); // the focused box now says how the records stand
        });
    };
    command(ui->Open, &TMainForm::OpenClick);
    command(ui->Save, &TMainForm::SaveClick);
    command(ui->End1, &TMainForm::End1Click);
    command(ui->PridajZaznamCD1, &TMainForm::PridajZaznamCD1Click);
    command(ui->Vypispoziciek1, &TMainForm::Vypispoziciek1Click);
    command(ui->Triedenie1, &TMainForm::Triedenie1Click);
    command(ui->Vybertriedenia1, &TMainForm::Vybertriedenia1Click);
    command(ui->Vyhladanie1, &TMainForm::Vyhladanie1Click);
    command(ui->NastavenieVyhladavania1, &TMainForm::NastavenieVyhladavania1Click);
    command(ui->Oprograme1, &TMainForm::Oprograme1Click);
    describeRecords(false);
    // Qt reports an empty box's caret the first time the box takes the focus, just before the
    // focus itself, and a screen reader then moves to the box without saying its name.
    for (QLineEdit *box : ui->ClientArea->findChildren<QLineEdit *>())
        box->setCursorPosition(0);
}

TMainForm::~TMainForm() = default;

void TMainForm::fitLabels()
{
    // Labels take the width of their text, so that no font clips them; the count keeps
    // its designed distance behind its caption.
    for (QLabel *label : findChildren<QLabel *>())
        label->resize(label->sizeHint());
    const int gap = 528 - (416 + 102);
    const int countLeft = std::max(528, ui->LabelPocet->geometry().right() + 1 + gap);
    ui->LabelPocetCd->move(countLeft, ui->LabelPocetCd->y());
}

bool TMainForm::unsavedChanges() const
{
    return ui->Save->isEnabled();
}

int TMainForm::ask(const QString &text, int flags)
{
    return asker_.messageBox(this, text, Messages::kCaption,
                             Box::OkCancel | Box::IconWarning | flags);
}

void TMainForm::report(const QString &text)
{
    asker_.messageBox(this, text, Messages::kCaption, Box::Ok | Box::IconWarning);
}

void TMainForm::showCount()
{
    ui->LabelPocetCd->setText(QString::number(Zoznam.PocetCd));
    ui->LabelPocetCd->resize(ui->LabelPocetCd->sizeHint());
    describeRecords(false);
}

void TMainForm::describeRecords(bool sorted)
{
    // The boxes do nothing, but one of them has the focus whenever a command ends, and a
    // screen reader says its description as the focus comes back to it. The bar ends a sort at
    // 0, which says nothing of the sort itself.
    QString text = ui->LabelPocet->text() + ' ' + ui->LabelPocetCd->text();
    const QString key = sorted && FormTried ? FormTried->caption(TypTriedenia) : QString();
    if (!key.isEmpty())
        text += QStringLiteral(", zoradene podla: ") + key;
    for (QWidget *control :
         std::initializer_list<QWidget *>{ui->ComboBox, ui->Edit1, ui->Edit2, ui->Edit3, ui->Edit4,
                                          ui->Edit5, ui->Edit6, ui->Edit7, ui->ProgressBar})
        control->setAccessibleDescription(text);
}

bool TMainForm::mayEnd()
{
    return !unsavedChanges() || ask(Messages::kEndPrompt) != Box::ResultCancel;
}

void TMainForm::OpenClick()
{
    if (unsavedChanges() && ask(Messages::kOpenPrompt) == Box::ResultCancel)
        return;
    // The list changes only once a file has loaded completely.
    if (!OpenDialog.Execute())
        return;
    const QString name = OpenDialog.FileName;
    FileLoad load = loadDatabaseFile(name);
    if (!load.error.isEmpty()) {
        report(load.result ? Messages::readFailed(name, load.error)
                           : Messages::openFailed(name, load.error));
        return;
    }
    if (!load.result->completed) {
        report(Messages::loadStopped(name, *load.result));
        return;
    }
    Zoznam = std::move(load.result->zoznam);
    collectionFile_ = load.identity;
    showCount();
    ui->Save->setEnabled(false);
}

void TMainForm::SaveClick()
{
    if (!SaveDialog.Execute())
        return;
    const QString name = SaveDialog.FileName;
    // Replacing another collection loses it, so Enter does not: Cancel is the default.
    const auto replaceOther = [&] {
        return ask(Messages::replacePrompt(name), Box::CancelDefault) != Box::ResultCancel;
    };
    const SaveResult saved = saveDatabaseFile(
        name, Zoznam, collectionFile_, replaceOther, [&](const StrataPriUlozeni &loss) {
            return ask(Messages::lossWarning(name, loss)) != Box::ResultCancel;
        });
    // Save stays on: the user kept the file as it was.
    if (saved.outcome == SaveResult::Outcome::Cancelled)
        return;
    // The file at the name is the one just written, also where the disk did not confirm it.
    if (saved.written)
        collectionFile_ = saved.written;
    // Whatever went wrong, the collection may not be safe on the disk yet: Save stays on.
    if (saved.outcome != SaveResult::Outcome::Saved) {
        report(Messages::saveProblem(name, saved));
        return;
    }
    ui->Save->setEnabled(false);
}

void TMainForm::SaveDialogCanClose(bool &CanClose)
{
    CanClose = true;
}

void TMainForm::End1Click()
{
    if (mayEnd())
        emit terminateRequested();
}

bool TMainForm::FormClose()
{
    if (!mayEnd())
        return false;
    emit terminateRequested();
    return true;
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

void TMainForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) // shown by the program, not restored by the window system
        keepOnScreen(*this);
    QMainWindow::showEvent(event);
}

void TMainForm::PridajZaznamCD1Click()
{
    showModal(FormZadajCd);
    showCount();
    // Whatever happened in the dialog, the collection counts as changed.
    ui->Save->setEnabled(true);
}

void TMainForm::Vypispoziciek1Click()
{
    // Each listing is a new window, filled from the list as it is now.
    std::unique_ptr<TVypisForm> form = std::make_unique<TVypisForm>();
    VypisForm = form.get();
    struct Forget {
        ~Forget() { VypisForm = nullptr; }
    } forget;
    form->exec();
}

void TMainForm::Triedenie1Click()
{
    ui->Save->setEnabled(true);
    ProgressBarAdapter progress(*ui->ProgressBar);
    ZoradZoznam(Zoznam, TypTriedenia, &progress);
    describeRecords(true);
}

void TMainForm::Vybertriedenia1Click()
{
    showModal(FormTried);
}

void TMainForm::Vyhladanie1Click()
{
    // A new window for each search, so that it searches the field chosen by then.
    THladanieForm form(nullptr, Zoznam, TypVyhladavania, {},
                       FormVyhladaj ? FormVyhladaj->caption(TypVyhladavania) : QString());
    form.exec();
}

void TMainForm::NastavenieVyhladavania1Click()
{
    showModal(FormVyhladaj);
}

void TMainForm::Oprograme1Click()
{
    showModal(AboutForm);
}
