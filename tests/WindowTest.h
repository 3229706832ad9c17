#pragma once

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

/// Runs `drive` on the next modal window once its loop is up. Waits five seconds at most
/// for the window and closes one that `drive` left open, so that a fault fails the test
/// instead of hanging it; the flag tells whether the window came and `drive` closed it.
inline std::shared_ptr<bool> whenModal(std::function<void(QWidget *)> drive)
{
    auto closed = std::make_shared<bool>(false);
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [=, waited = 0]() mutable {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal && ++waited < 500)
            return;
        timer->deleteLater();
        timer->stop();
        if (!modal)
            return;
        drive(modal);
        *closed = !modal || !modal->isVisible();
        if (!*closed)
            modal->close();
    });
    timer->start(10);
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
