#pragma once

#include "core/Splatnost.h"
#include "core/ZaznamCD.h"

#include <QAbstractTableModel>
#include <QDate>

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
    /// records as quick to show as ten. A cell cut by its column shows its whole text when
    /// hovered, and the view tells screen readers of its current cell as it takes the focus.
    void showIn(QTableView *view);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    /// The day loans are overdue on; until it is set, none is.
    QDate dnes() const { return QDate(den_.Rok, den_.Mesiac, den_.Den); }

  protected:
    void setDnes(const QDate &dnes);
    /// What `zaznam` shows in `column` in `role`: its field decoded from the file's code page
    /// and, when its loan is overdue, a warning colour and a description that the tooltip
    /// and screen readers give. Worked out only for the cells the view asks for.
    QVariant recordData(const ZaznamCD &zaznam, int column, int role) const;
    /// How late the loan of `zaznam` is; nothing when it is in time or has no readable date.
    std::optional<Omeskanie> omeskanie(const ZaznamCD &zaznam) const
    {
        return PoTermine(zaznam.DatumVratenia(), den_);
    }

  private:
    Datum den_{}; ///< the first day of the calendar until set: no loan is overdue then
};
