#include "dialogs/RecordTableModel.h"

#include "toolkit/CodePage.h"

#include <QHeaderView>
#include <QTableView>

#include <string>

namespace {

struct Column {
    const char *header;
    int width;
    Pole field;
};

// Column 1 is the row's caption, the others its sub-items in this order.
constexpr Column kColumns[RecordTableModel::kColumnCount] = {
    {"Datum Pozicania", 100, Pole::DatumPozicania},
    {"Autor CD", 100, Pole::AutorCD},
    {"Nazov CD", 100, Pole::NazovCD},
    {"Pozicane do", 80, Pole::DatumVratenia},
    {"Meno", 70, Pole::Meno},
    {"Priezvisko", 90, Pole::Priezvisko},
    {"Typ CD", 100, Pole::TypCD},
};

bool inRange(int column)
{
    return column >= 0 && column < RecordTableModel::kColumnCount;
}

} // namespace

int RecordTableModel::columnWidth(int column)
{
    return inRange(column) ? kColumns[column].width : 0;
}

int RecordTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !inRange(section))
        return {};
    return QString::fromLatin1(kColumns[section].header);
}

QVariant RecordTableModel::cell(const ZaznamCD &zaznam, int column)
{
    if (!inRange(column))
        return {};
    return CodePage::toQString(zaznam.text(kColumns[column].field));
}

void RecordTableModel::showIn(QTableView *view)
{
    view->setModel(this);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < kColumnCount; ++column)
        view->setColumnWidth(column, columnWidth(column));
    QHeaderView *rows = view->verticalHeader();
    const int rowHeight = view->fontMetrics().height() + 4;
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
}
