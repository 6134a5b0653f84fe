#pragma once
// The records of one series with every derived quantity, and its rejected lines.

#include <QWidget>

#include "analysis/Analysis.h"

class QTableView;
class QListWidget;
class QLabel;

namespace eh::analysis {

class RecordTableModel;

class DataTab : public QWidget {
    Q_OBJECT
public:
    explicit DataTab(QWidget* parent = nullptr);
    void refresh(const Analysis* a); // nullptr: nothing open

    QTableView* table() const { return table_; }
    QListWidget* rejected() const { return rejected_; }

private:
    QTableView* table_;
    RecordTableModel* model_;
    QListWidget* rejected_;
    QLabel* rejectedTitle_;
};

} // namespace eh::analysis
