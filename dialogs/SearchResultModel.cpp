#include "dialogs/SearchResultModel.h"

SearchResultModel::SearchResultModel(const FoldTables &tables, QObject *parent)
    : RecordTableModel(parent), index_(tables)
{
}

void SearchResultModel::setRecords(const ZoznamCD &zoznam, std::int32_t pole, const QDate &dnes)
{
    beginResetModel();
    setDnes(dnes);
    rows_.clear();
    overdueRows_ = 0;
    index_.build(zoznam, pole);
    overdue_.resize(std::size_t(index_.size()));
    for (std::int32_t i = 0; i < index_.size(); ++i)
        overdue_[std::size_t(i)] = omeskanie(index_.record(i)).has_value();
    endResetModel();
}

void SearchResultModel::setQuery(std::string_view query)
{
    beginResetModel();
    index_.find(query, rows_);
    countOverdueRows();
    endResetModel();
}

void SearchResultModel::clearRows()
{
    beginResetModel();
    rows_.clear();
    overdueRows_ = 0;
    endResetModel();
}

void SearchResultModel::countOverdueRows()
{
    std::int32_t count = 0;
    for (std::int32_t row : rows_)
        count += overdue_[std::size_t(row)];
    overdueRows_ = count;
}

int SearchResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant SearchResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    return recordData(index_.record(rows_[std::size_t(index.row())]), index.column(), role);
}
