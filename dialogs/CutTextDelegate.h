#pragma once

#include <QStyledItemDelegate>

/// Draws cells as usual. A cell whose text is cut, being wider than its column or of more than
/// one line, shows the whole text as its tooltip, after any words of the row's own, cut only
/// where it grows too long to read. Worked out for the cell under the pointer alone, at the
/// width its column has then.
class CutTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;
};
