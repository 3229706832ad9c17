#include "dialogs/ListingModel.h"

#include "app/CodePage.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

struct Column {
    const char *header;
    int width;
    std::string ZaznamCD::*field;
};

// Column 1 is the row's caption, the others its sub-items in this order.
const Column kColumns[ListingModel::kColumnCount] = {
    {"Datum Pozicania", 100, &ZaznamCD::DatumPozicania},
    {"Autor CD", 100, &ZaznamCD::AutorCD},
    {"Nazov CD", 100, &ZaznamCD::NazovCD},
    {"Pozicane do", 80, &ZaznamCD::DatumVratenia},
    {"Meno", 70, &ZaznamCD::Meno},
    {"Priezvisko", 90, &ZaznamCD::Priezvisko},
    {"Typ CD", 100, &ZaznamCD::TypCD},
};

} // namespace

void ListingModel::fill(const ZoznamCD &zoznam)
{
    beginResetModel();
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

int ListingModel::columnWidth(int column)
{
    return column >= 0 && column < kColumnCount ? kColumns[column].width : 0;
}

int ListingModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(records_.size()) + 1;
}

int ListingModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ListingModel::data(const QModelIndex &index, int role) const
{
    // Row 0 is the designed blank row, which has no record behind it.
    if (role != Qt::DisplayRole || !index.isValid() || index.row() == 0)
        return {};
    const ZaznamCD &zaznam = *records_[std::size_t(index.row() - 1)];
    return CodePage::toQString(zaznam.*kColumns[index.column()].field);
}

QVariant ListingModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount)
        return {};
    return QString::fromLatin1(kColumns[section].header);
}
