#include "dialogs/SearchResultModel.h"

#include "app/CodePage.h"

namespace {

struct Column {
    const char *header;
    int width;
    std::string ZaznamCD::*field;
};

// The columns of "Vypis Platnovnik": headers, widths and fields in the same order.
constexpr Column kColumns[SearchResultModel::ColumnCount] = {
    {"Datum Pozicania", 100, &ZaznamCD::DatumPozicania},
    {"Autor CD", 100, &ZaznamCD::AutorCD},
    {"Nazov CD", 100, &ZaznamCD::NazovCD},
    {"Pozicane do", 80, &ZaznamCD::DatumVratenia},
    {"Meno", 70, &ZaznamCD::Meno},
    {"Priezvisko", 90, &ZaznamCD::Priezvisko},
    {"Typ CD", 100, &ZaznamCD::TypCD},
};

} // namespace

SearchResultModel::SearchResultModel(const FoldTables &tables, QObject *parent)
    : QAbstractTableModel(parent), index_(tables)
{
}

void SearchResultModel::setRecords(const ZoznamCD &zoznam, std::int32_t pole)
{
    beginResetModel();
    rows_.clear();
    index_.build(zoznam, pole);
    endResetModel();
}

void SearchResultModel::setQuery(std::string_view query)
{
    beginResetModel();
    index_.find(query, rows_);
    endResetModel();
}

void SearchResultModel::clearRows()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int SearchResultModel::columnWidth(int column)
{
    return column >= 0 && column < ColumnCount ? kColumns[column].width : 0;
}

int SearchResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int SearchResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(rows_.size()) ||
        index.column() >= ColumnCount)
        return {};
    const ZaznamCD &zaznam = index_.record(rows_[std::size_t(index.row())]);
    return CodePage::toQString(zaznam.*kColumns[index.column()].field);
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(kColumns[section].header);
}
