#pragma once

#include <QObject>

class QAbstractItemView;
class QWidget;

/// Makes `view` tell screen readers of its current cell each time it takes the focus. Qt
/// reports the focus for the table alone, and a reader then says nothing of the row it is on.
void tellCurrentCellOnFocus(QAbstractItemView &view);

/// Tells screen readers again which control of a window has the focus, once the window is
/// active: after a command, whose result that control then carries in its description. Qt
/// tells them only of a change of focus, and a dialog or a menu that closes changes none.
class FocusTeller : public QObject {
    Q_OBJECT
  public:
    explicit FocusTeller(QWidget &window);

    /// Tells now if the window is active, else when it next becomes active.
    void tell();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void tellIfActive();

    QWidget &window_;
    bool pending_ = false;
};
