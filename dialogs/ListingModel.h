#pragma once

#include "core/ZoznamCD.h"
#include "dialogs/RecordTableModel.h"

#include <vector>

/// The listing's rows: a blank first row, then one row per record in list order, seven
/// columns. It points at the records and decodes a text only when the view asks for it,
/// so a million records cost a million pointers and no strings. The records must stay
/// unchanged while the model holds them.
class ListingModel : public RecordTableModel {
    Q_OBJECT
  public:
    using RecordTableModel::RecordTableModel;

    /// Takes the records of `zoznam` in list order, replacing what the model held; loans due
    /// before `dnes` are marked overdue.
    void fill(const ZoznamCD &zoznam, const QDate &dnes);
    /// Forgets the records; only the blank row is left.
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

  private:
    std::vector<const ZaznamCD *> records_;
};
