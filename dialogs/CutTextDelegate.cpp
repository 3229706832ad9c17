#include "dialogs/CutTextDelegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>

namespace {

// Beyond these a tooltip could not be read, nor fit on the screen.
constexpr qsizetype kReadableLength = 300;
constexpr int kReadableLines = 10;

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// `text` with its line breaks as a tooltip shows them, cut where it grows too long to read.
QString readable(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    qsizetype end = std::min(text.size(), kReadableLength);
    for (qsizetype i = 0, lines = 1; i < end; ++i) {
        if (text[i] == '\n' && ++lines > kReadableLines)
            end = i;
    }
    return end < text.size() ? text.left(end) + QStringLiteral("...") : text;
}

} // namespace

bool CutTextDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid() || !view)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QString tip = index.data(Qt::ToolTipRole).toString();
    const QString text = index.data(Qt::DisplayRole).toString();
    // The style elides a text exactly when it wants more room than the cell has.
    if (hasLineBreak(text) || sizeHint(option, index).width() > option.rect.width())
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + readable(text);
    // Shown until the pointer leaves the cell; an empty tip hides the one shown.
    QToolTip::showText(event->globalPos(), tip, view->viewport(), view->visualRect(index));
    event->setAccepted(!tip.isEmpty());
    return true;
}
