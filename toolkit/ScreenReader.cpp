#include "toolkit/ScreenReader.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QTimer>
#include <QWindow>

namespace {

// Watches a view for the focus; the cell is told on the next turn of the event loop, after
// Qt has told of the table itself.
class CurrentCellTeller : public QObject {
  public:
    explicit CurrentCellTeller(QAbstractItemView &view) : QObject(&view), view_(view)
    {
        view.installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, this, [this] { tell(); });
        return false;
    }

  private:
    void tell()
    {
        QItemSelectionModel *selection = view_.selectionModel();
        const QModelIndex current = view_.currentIndex();
        if (!QAccessible::isActive() || !selection || !current.isValid() || !view_.hasFocus())
            return;
        // The view tells of its current cell when that changes; the selection stays as it is.
        selection->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
        selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    }

    QAbstractItemView &view_;
};

} // namespace

void tellCurrentCellOnFocus(QAbstractItemView &view)
{
    new CurrentCellTeller(view);
}

FocusTeller::FocusTeller(QWidget &window) : QObject(&window), window_(window)
{
    window.installEventFilter(this);
}

void FocusTeller::tell()
{
    pending_ = true;
    QTimer::singleShot(0, this, &FocusTeller::tellIfActive);
}

bool FocusTeller::eventFilter(QObject *, QEvent *event)
{
    if (pending_ && event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &FocusTeller::tellIfActive);
    return false;
}

void FocusTeller::tellIfActive()
{
    if (!pending_)
        return;
    // After a file dialog, Qt 6.4 under X11 may hold no window active while the window system
    // has given this one the focus; no control of it is then told of at all, not even on Tab.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    if (!window_.isActiveWindow() && window_.windowHandle() &&
        QGuiApplication::focusWindow() == window_.windowHandle())
        QApplication::setActiveWindow(&window_);
    QT_WARNING_POP
    QWidget *focus = window_.focusWidget();
    if (!window_.isActiveWindow() || !focus)
        return;
    pending_ = false;
    QAccessibleEvent event(focus, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}
