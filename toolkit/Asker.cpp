#include "toolkit/Asker.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A file dialog that asks its owner once more before it closes with a file.
class CheckedFileDialog : public QFileDialog {
  public:
    CheckedFileDialog(QWidget *parent, std::function<bool(const QString &)> canClose)
        : QFileDialog(parent), canClose_(std::move(canClose))
    {
    }

    void done(int result) override
    {
        if (result == Accepted && canClose_ && !canClose_(selectedFiles().value(0)))
            return;
        QFileDialog::done(result);
    }

  private:
    std::function<bool(const QString &)> canClose_;
};

QMessageBox::Icon iconOf(int flags)
{
    switch (flags & 0xF0) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtAsker::messageBox(QWidget *parent, const QString &text, const QString &caption, int flags)
{
    QMessageBox box(iconOf(flags), caption, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText); // file names may hold '<'
    QPushButton *ok = box.addButton(QMessageBox::Ok);
    QPushButton *cancel =
        (flags & 0x0F) == Box::OkCancel ? box.addButton(QMessageBox::Cancel) : nullptr;
    box.setEscapeButton(cancel ? cancel : ok);
    box.setDefaultButton(cancel && (flags & Box::CancelDefault) ? cancel : ok);
    box.exec();
    // Escape and the close box "click" the escape button.
    return box.clickedButton() == ok ? Box::ResultOk : Box::ResultCancel;
}

void setUpFileDialog(QFileDialog &dialog, const FileQuestion &question)
{
    dialog.setAcceptMode(question.kind == FileQuestion::Kind::Save ? QFileDialog::AcceptSave
                                                                   : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(question.filter);
    dialog.setDefaultSuffix(question.defaultSuffix);
}

QString QtAsker::fileName(QWidget *parent, const FileQuestion &question)
{
    CheckedFileDialog dialog(parent, question.canClose);
    setUpFileDialog(dialog, question);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

Asker &defaultAsker()
{
    static QtAsker asker;
    return asker;
}
