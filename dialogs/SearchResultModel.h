#pragma once

#include "dialogs/RecordTableModel.h"
#include "core/SearchIndex.h"

#include <cstdint>
#include <string_view>
#include <vector>

/// The records found by the last query, one row each, in the seven columns of the listing.
/// Cells are decoded when the view asks for them, so a million rows cost one integer each.
class SearchResultModel : public RecordTableModel {
    Q_OBJECT
  public:
    explicit SearchResultModel(const FoldTables &tables, QObject *parent = nullptr);

    /// Takes the selected field of every record, with no rows found yet; loans due before
    /// `dnes` are marked overdue. The records must stay as they are until the next call: the
    /// rows point into them.
    void setRecords(const ZoznamCD &zoznam, std::int32_t pole, const QDate &dnes);
    /// Replaces the rows with the records whose field contains `query` (code page bytes).
    void setQuery(std::string_view query);
    /// Shows no rows: for a query that no record can contain.
    void clearRows();

    /// How many of the rows are overdue loans.
    std::int32_t overdueRows() const { return overdueRows_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

  private:
    SearchIndex index_;
    std::vector<std::int32_t> rows_;
    // By record position: 1 when its loan is overdue. Taken once with the records, so that
    // counting the overdue rows after a keystroke reads no record.
    std::vector<std::uint8_t> overdue_;
    std::int32_t overdueRows_ = 0;

    void countOverdueRows();
};
