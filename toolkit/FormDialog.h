#pragma once

#include <QDialog>

/// A dialog window with this program's keyboard rules rather than QDialog's:
/// Escape closes nothing, Enter in an edit box presses nothing, and a focused push
/// button is pressed by Enter as well as by Space. The title-bar close box still closes it.
/// Buttons in such a window are never default or auto-default. It opens where it can be seen.
class FormDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FormDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
};
