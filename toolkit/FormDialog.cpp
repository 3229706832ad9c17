#include "toolkit/FormDialog.h"

#include "toolkit/ScreenPlacement.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>

FormDialog::FormDialog(QWidget *parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

void FormDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QPushButton *>(focusWidget());
            button && button->isEnabled())
            button->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void FormDialog::showEvent(QShowEvent *event)
{
    // Buttons added by a .ui file become auto-default inside a QDialog; none of ours is.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    if (!event->spontaneous()) // shown by the program, not restored by the window system
        keepOnScreen(*this);
    QDialog::showEvent(event);
}
