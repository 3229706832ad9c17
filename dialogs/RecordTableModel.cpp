#include "dialogs/RecordTableModel.h"

#include "toolkit/CodePage.h"
#include "toolkit/ScreenReader.h"
#include "dialogs/CutTextDelegate.h"

#include <QColor>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPalette>
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

// A red that reads as a warning: dark on a light base, light on a dark one. Each keeps a
// contrast above 6:1 with the cells of a usual palette, white or near-black (#2a2a2a).
QColor warningColour()
{
    const bool darkBase = QGuiApplication::palette().color(QPalette::Base).lightness() < 128;
    return darkBase ? QColor(0xFF, 0x8A, 0x80) : QColor(0xB3, 0x26, 0x1E);
}

QString description(const Omeskanie &late)
{
    const Datum &d = late.Splatnost;
    const QChar zero('0');
    return QStringLiteral("Po termine od %1.%2.%3, %4")
        .arg(d.Den, 2, 10, zero)
        .arg(d.Mesiac, 2, 10, zero)
        .arg(d.Rok, 4, 10, zero)
        .arg(late.Dni == 1 ? QStringLiteral("1 den") : QStringLiteral("%1 dni").arg(late.Dni));
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

void RecordTableModel::setDnes(const QDate &dnes)
{
    den_ = dnes.isValid() ? Datum{dnes.day(), dnes.month(), dnes.year()} : Datum{};
}

QVariant RecordTableModel::recordData(const ZaznamCD &zaznam, int column, int role) const
{
    if (!inRange(column))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return CodePage::toQString(zaznam.text(kColumns[column].field));
    case Qt::ForegroundRole:
        if (omeskanie(zaznam))
            return warningColour();
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (const std::optional<Omeskanie> late = omeskanie(zaznam))
            return description(*late);
        return {};
    default:
        return {};
    }
}

void RecordTableModel::showIn(QTableView *view)
{
    view->setModel(this);
    view->setItemDelegate(new CutTextDelegate(view));
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < kColumnCount; ++column)
        view->setColumnWidth(column, columnWidth(column));
    QHeaderView *rows = view->verticalHeader();
    const int rowHeight = view->fontMetrics().height() + 4;
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
    tellCurrentCellOnFocus(*view);
}
