#pragma once

#include "core/ZaznamCD.h"

#include <QAbstractTableModel>

class QTableView;

/// Records in the seven columns of "Vypis Platnovnik", which the search window shows too:
/// one definition of the headers, the widths and the field behind each column.
class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kColumnCount = 7;

    using QAbstractTableModel::QAbstractTableModel;

    /// The designed width of a column in pixels.
    static int columnWidth(int column);

    /// Shows this model in `view` with the designed column widths, left-aligned headers and
    /// one fixed row height: the view then never measures a row, which keeps a million
    /// records as quick to show as ten.
    void showIn(QTableView *view);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  protected:
    /// The field of `zaznam` shown in `column`, decoded from the file's code page.
    static QVariant cell(const ZaznamCD &zaznam, int column);
};
