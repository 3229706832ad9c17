#include "dialogs/ListingModel.h"

#include <algorithm>
#include <climits>

void ListingModel::fill(const ZoznamCD &zoznam, const QDate &dnes)
{
    beginResetModel();
    setDnes(dnes);
    records_.clear();
    // The row count, blank row included, has to fit an int.
    const int count = std::clamp<int>(zoznam.PocetCd, 0, INT_MAX - 1);
    // The list view's allocation hint: room for every row before the first is added.
    records_.reserve(std::size_t(count));
    // Bounded by the count: the last record's Dalsi is never followed.
    const ZaznamCD *zaznam = zoznam.Prvy;
    for (int i = 0; i < count; ++i) {
        records_.push_back(zaznam);
        if (i != count - 1)
            zaznam = zaznam->Dalsi;
    }
    endResetModel();
}

void ListingModel::clear()
{
    beginResetModel();
    records_.clear();
    records_.shrink_to_fit();
    endResetModel();
}

int ListingModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(records_.size()) + 1;
}

QVariant ListingModel::data(const QModelIndex &index, int role) const
{
    // Row 0 is the designed blank row, which has no record behind it; a screen reader, which
    // would say nothing of it, says that it is empty.
    if (index.row() == 0 && index.column() == 0 && role == Qt::AccessibleTextRole)
        return QStringLiteral("Prazdny riadok");
    if (!index.isValid() || index.row() == 0)
        return {};
    return recordData(*records_[std::size_t(index.row() - 1)], index.column(), role);
}
