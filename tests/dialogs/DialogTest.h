#pragma once

// Helpers shared by the dialog tests: one layout table per window, real key presses and a
// guarded modal showing.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <vector>

namespace DialogTest {

/// One control as designed. Rows of controls that Tab visits come in tab order.
struct Control {
    QString name;
    const char *kind;
    QString parent;
    QRect geometry;
    QString text;              // caption or initial text
    QString accessible = text; // what a screen reader says, for buttons and boxes
};

inline QString shownText(const QWidget *w)
{
    for (const char *property : {"text", "title", "plainText"}) {
        if (const QVariant v = w->property(property); v.isValid())
            return v.toString();
    }
    return {};
}

/// Caption, position, client size, font and frame of `dialog`, then every control of
/// `controls` and the tab order they give.
inline void checkLayout(QDialog &dialog, const char *name, const char *caption, QPoint position,
                        QSize client, bool sizeable, const std::vector<Control> &controls)
{
    QCOMPARE(dialog.objectName(), QString(name));
    QCOMPARE(dialog.windowTitle(), QString(caption));
    QCOMPARE(dialog.pos(), position);
    QCOMPARE(dialog.size(), client);
    QCOMPARE(dialog.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(dialog.font().pointSize(), 8);
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint && !(flags & Qt::WindowContextHelpButtonHint));
    QCOMPARE(bool(flags & Qt::WindowMinimizeButtonHint), sizeable);
    QCOMPARE(bool(flags & Qt::WindowMaximizeButtonHint), sizeable);
    QCOMPARE(dialog.minimumSize() == client && dialog.maximumSize() == client, !sizeable);

    QStringList designedChain;
    for (const Control &c : controls) {
        auto *w = dialog.findChild<QWidget *>(c.name);
        QVERIFY2(w && w->inherits(c.kind), qPrintable(c.name));
        QCOMPARE(w->parentWidget()->objectName(), c.parent);
        if (auto *label = qobject_cast<QLabel *>(w)) {
            // Labels grow to their text when the stand-in font is wider than the designed one.
            QCOMPARE(label->pos(), c.geometry.topLeft());
            QCOMPARE(label->size(), c.geometry.size().expandedTo(label->sizeHint()));
        } else {
            QCOMPARE(w->geometry(), c.geometry);
        }
        if (w->inherits("QAbstractButton") || w->inherits("QLineEdit") ||
            w->inherits("QPlainTextEdit"))
            QCOMPARE(w->accessibleName(), c.accessible);
        QCOMPARE(shownText(w), c.text);
        QCOMPARE(w->font().family(), QStringLiteral("MS Sans Serif"));
        if (w->focusPolicy() & Qt::TabFocus)
            designedChain << c.name;
    }
    QStringList chain;
    for (QWidget *w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled())
            chain << w->objectName();
    }
    QCOMPARE(chain, designedChain);
    for (auto *button : dialog.findChildren<QPushButton *>())
        QVERIFY(!button->isDefault() && !button->autoDefault());
}

/// The columns of a keyboard table: the control with the focus, the key, whether it closes.
inline void addKeyColumns()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
}

/// Shows `dialog`, gives the row's control the keyboard and sends a real press and release
/// of the row's key; then checks whether the dialog closed.
inline void pressRowKey(QDialog &dialog)
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, closes);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *target = dialog.findChild<QWidget *>(focus);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(dialog.isVisible(), !closes);
}

/// Types `text` key by key, as a keyboard with any layout would.
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

/// Runs `dialog.exec()` and, once the showing has begun, `action`, which is to end it.
/// False when the showing had to be ended by the time limit instead.
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
