#pragma once

// Helpers shared by the dialog tests: the text a control shows, its place in the layout,
// the focus chain, and a guarded modal showing.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace DialogTest {

/// The caption or text a control shows.
inline QString shownText(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *box = qobject_cast<const QGroupBox *>(widget))
        return box->title();
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(widget))
        return memo->toPlainText();
    return {};
}

/// The columns of a layout table, for the `_data()` functions.
inline void addLayoutColumns()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
}

/// Checks the current layout row against the control of that name in `window`.
inline void checkLayoutRow(QWidget *window)
{
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    auto *control = window->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QVERIFY2(control->inherits(kind.toLatin1().constData()), control->metaObject()->className());
    QCOMPARE(control->parentWidget()->objectName(), parent);
    if (auto *label = qobject_cast<QLabel *>(control)) {
        // Labels size to their text, as designed in "MS Sans Serif"; a wider stand-in font
        // makes them wider, never narrower, and the text is never cut.
        QCOMPARE(label->pos(), geometry.topLeft());
        QCOMPARE(label->size(), geometry.size().expandedTo(label->sizeHint()));
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
        QVERIFY(label->height() >= label->fontMetrics().height());
    } else {
        QCOMPARE(control->geometry(), geometry);
    }
    QCOMPARE(shownText(control), text);
    QCOMPARE(control->font().family(), QStringLiteral("MS Sans Serif"));
}

/// The names of the controls that Tab visits, in order, starting after `window`.
inline QStringList tabChain(QWidget *window)
{
    QStringList names;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(window))
            names << w->objectName();
    }
    return names;
}

/// Caption, screen position, client size, font and frame of a dialog.
inline void checkWindow(QDialog *dialog, const QString &objectName, const QString &caption,
                        QPoint position, QSize client, bool sizeable)
{
    QCOMPARE(dialog->objectName(), objectName);
    QCOMPARE(dialog->windowTitle(), caption);
    QCOMPARE(dialog->pos(), position);
    QCOMPARE(dialog->size(), client);
    QCOMPARE(dialog->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(dialog->font().pointSize(), 8);
    const Qt::WindowFlags flags = dialog->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QCOMPARE(bool(flags & Qt::WindowMinimizeButtonHint), sizeable);
    QCOMPARE(bool(flags & Qt::WindowMaximizeButtonHint), sizeable);
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    if (sizeable) {
        QVERIFY(dialog->minimumSize().width() < client.width());
        QVERIFY(dialog->maximumSize().width() > client.width());
    } else {
        QCOMPARE(dialog->minimumSize(), client);
        QCOMPARE(dialog->maximumSize(), client);
    }
    for (auto *button : dialog->findChildren<QPushButton *>()) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
}

/// Shows `dialog` and waits until it has the keyboard, as a user would find it.
inline bool showActive(QDialog &dialog)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    return QTest::qWaitForWindowActive(&dialog);
}

/// Sends a real key press and release to whatever has the keyboard focus in `dialog`.
inline void pressKey(QDialog &dialog, Qt::Key key)
{
    QWidget *target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    QTest::keyClick(target, key);
}

/// Types `text` key by key into `widget`, as a keyboard with any layout would.
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

/// Runs `dialog.exec()` and, once the showing has begun, `action`, which is to end it.
/// Returns false when the showing had to be ended by the time limit instead.
inline bool execWith(QDialog &dialog, const std::function<void()> &action)
{
    bool ranOut = false;
    QTimer::singleShot(0, &dialog, action);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &dialog, [&] {
        ranOut = true;
        dialog.done(QDialog::Rejected);
    });
    limit.start(5000);
    dialog.exec();
    return !ranOut && !dialog.isVisible();
}

} // namespace DialogTest
