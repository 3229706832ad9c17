#include "dialogs/RefusalHint.h"

#include "toolkit/CodePage.h"
#include "toolkit/ScreenPlacement.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QToolTip>

namespace {

constexpr int kShownMs = 10'000; // as long as Qt shows a short tooltip

// How the hint names a character: in quotes where it can be seen, else by its code.
QString named(char32_t c)
{
    if (c == 0)
        return QStringLiteral("NUL");
    if (QChar::isPrint(c) && !QChar::isSpace(c))
        return QLatin1Char('"') + QString::fromUcs4(&c, 1) + QLatin1Char('"');
    return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
}

// Why the file cannot hold `c`: beyond the code page, the validator refuses only the bar.
QString reason(char32_t c)
{
    if (c == 0)
        return QStringLiteral("v subore by ukoncil polozku.");
    if (!CodePage::canEncode(QString::fromUcs4(&c, 1)))
        return QStringLiteral("subor je v kodovej stranke Windows-1250, ktora ho nema.");
    return QStringLiteral("v subore oddeluje polozky.");
}

// Drawn as the style draws a tooltip. Qt's own tooltip cannot serve: it goes at any click or
// focus change in the program, so a paste from the box's menu would hide it at once.
class TipLabel : public QLabel {
  public:
    explicit TipLabel(QWidget *owner) : QLabel(owner, Qt::ToolTip)
    {
        setForegroundRole(QPalette::ToolTipText);
        setBackgroundRole(QPalette::ToolTipBase);
        setPalette(QToolTip::palette());
        setFont(QToolTip::font());
        setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
    }

  protected:
    void paintEvent(QPaintEvent *event) override
    {
        QStylePainter painter(this);
        QStyleOptionFrame frame;
        frame.initFrom(this);
        painter.drawPrimitive(QStyle::PE_PanelTipLabel, frame);
        painter.end();
        QLabel::paintEvent(event);
    }
};

} // namespace

RefusalHint::RefusalHint(QLineEdit *box) : QObject(box), box_(box)
{
    shown_.setSingleShot(true);
    shown_.setInterval(kShownMs);
    box->installEventFilter(this);
    connect(box, &QLineEdit::inputRejected, this, &RefusalHint::show);
    connect(&shown_, &QTimer::timeout, this, &RefusalHint::hide);
}

bool RefusalHint::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        hide();
        keyText_ = static_cast<QKeyEvent *>(event)->text();
        break;
    case QEvent::KeyRelease:
        keyText_.clear();
        break;
    case QEvent::FocusOut:
    case QEvent::Hide:
        hide();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void RefusalHint::show()
{
    // Qt tells of a refusal before it takes the input back out: the box still holds it.
    const QString text = box_->text();
    const auto *validator = qobject_cast<const CodePageValidator *>(box_->validator());
    const qsizetype at = validator ? validator->firstRefused(text) : -1;
    if (at < 0)
        return;
    const QChar first = text[at];
    const char32_t c =
        first.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()
            ? QChar::surrogateToUcs4(first, text[at + 1])
            : first.unicode();
    // What the box says of its own (the search's count) comes back when the hint goes; a hint
    // shown already is not the box's own.
    if (hint_.isEmpty() || box_->accessibleDescription() != hint_)
        described_ = box_->accessibleDescription();
    // A key that gave this one character was typed; anything else was pasted or dropped.
    hint_ = keyText_ == QString::fromUcs4(&c, 1)
                ? QStringLiteral("Znak %1 sa neda zadat: %2")
                : QStringLiteral("Text sa neda vlozit, obsahuje znak %1: %2");
    hint_ = hint_.arg(named(c), reason(c));
    if (!label_)
        label_ = new TipLabel(box_);
    label_->setText(hint_);
    label_->resize(label_->sizeHint());
    const QRect below(box_->mapToGlobal(QPoint(0, box_->height())), label_->size());
    label_->move(placeOnScreen(below, box_->screen()->availableGeometry()));
    label_->show();
    // Qt sends screen readers a DescriptionChanged event with it.
    box_->setAccessibleDescription(hint_);
    shown_.start();
}

void RefusalHint::hide()
{
    if (hint_.isEmpty())
        return;
    shown_.stop();
    label_->hide();
    // Unless the box has been described anew meanwhile.
    if (box_->accessibleDescription() == hint_)
        box_->setAccessibleDescription(described_);
    hint_.clear();
}
