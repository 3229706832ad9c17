#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;
class QLineEdit;

/// Says at an edit box why its code-page validator refused what was typed, pasted or
/// dropped: a tooltip-like window under the box that names the first refused character and
/// the reason, and that is the box's accessible description while it shows (its own comes back
/// after). It goes after ten seconds, at the box's next key, or when the box loses the focus or
/// is hidden. The refused input stays out whole, as before.
class RefusalHint : public QObject {
    Q_OBJECT
  public:
    /// Watches `box`, whose validator is a CodePageValidator; the hint belongs to the box.
    explicit RefusalHint(QLineEdit *box);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void show();
    void hide();

    QLineEdit *box_;
    QString keyText_;         ///< the text of the key being pressed, empty between keys
    QString hint_;            ///< the words shown, empty when none are
    QString described_;       ///< the box's own description, given back when the hint goes
    QLabel *label_ = nullptr; ///< a window of its own, made at the first refusal
    QTimer shown_;
};
