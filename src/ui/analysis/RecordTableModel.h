#pragma once
// The records of one series and every derived quantity, as a table model: cells are
// formatted when shown, so that a file of a million lines opens as fast as a short one.

#include <QAbstractTableModel>

#include "analysis/Analysis.h"

namespace eh::analysis {

class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setAnalysis(const Analysis* a); // nullptr: empty

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Analysis* analysis_ = nullptr;
};

// Column headers with units, in the order of the table file, and a note column.
QStringList dataColumnHeaders();

} // namespace eh::analysis
