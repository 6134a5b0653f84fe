#pragma once
// The records of one series with every derived quantity, and its rejected lines.

#include <QWidget>

#include "analysis/HeadlessRun.h"

class QTableWidget;
class QListWidget;
class QLabel;

namespace eh::analysis {

class DataTab : public QWidget {
    Q_OBJECT
public:
    explicit DataTab(QWidget* parent = nullptr);
    void refresh(const Analysis* a); // nullptr: nothing open

    QTableWidget* table() const { return table_; }
    QListWidget* rejected() const { return rejected_; }

private:
    QTableWidget* table_;
    QListWidget* rejected_;
    QLabel* rejectedTitle_;
};

// Column headers with units, in the order of the table file.
QStringList dataColumnHeaders();

} // namespace eh::analysis
