#pragma once

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

/// Runs `drive` on the next modal window, waiting five seconds at most, and closes a window it
/// left open, so a fault fails rather than hangs; the flag: the window came and `drive` closed it.
inline std::shared_ptr<bool> whenModal(std::function<void(QWidget *)> drive)
{
    auto closed = std::make_shared<bool>(false);
    QTimer::singleShot(0, [=] {
        QPointer<QWidget> modal;
        if (!QTest::qWaitFor([&] { return !(modal = QApplication::activeModalWidget()).isNull(); },
                             5000))
            return;
        drive(modal);
        if (!(*closed = !modal || !modal->isVisible()))
            modal->close();
    });
    return closed;
}

/// Shows `dialog` modally and runs `drive`, which is to end the showing; false if it did not.
inline bool execWith(QDialog &dialog, const std::function<void()> &drive)
{
    const auto closed = whenModal([&](QWidget *) { drive(); });
    dialog.exec();
    return *closed;
}

/// Types `text` key by key, as a keyboard with any layout would.
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

/// What went last over the bridge to screen readers: what took the focus, or a new description.
/// Offscreen windows have no bridge; tests/screen/with_screen_reader_bus.sh runs tests with one.
struct BridgeLog {
    inline static QString last;
    const bool on = qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
    BridgeLog()
    {
        last.clear();
        QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
            const QAccessibleInterface *what = event->accessibleInterface();
            if (event->type() == QAccessible::Focus)
                last = what->text(QAccessible::Name) + ". " + what->text(QAccessible::Description);
            else if (event->type() == QAccessible::DescriptionChanged)
                last = what->text(QAccessible::Description);
        });
        QVERIFY(!on || QTest::qWaitFor(&QAccessible::isActive, 10'000));
    }
};
