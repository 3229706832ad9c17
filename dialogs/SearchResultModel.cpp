#include "dialogs/SearchResultModel.h"

SearchResultModel::SearchResultModel(const FoldTables &tables, QObject *parent)
    : RecordTableModel(parent), index_(tables)
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

int SearchResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant SearchResultModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(rows_.size()))
        return {};
    return cell(index_.record(rows_[std::size_t(index.row())]), index.column());
}
