#include "ui/analysis/DataTab.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/analysis/RecordTableModel.h"

namespace eh::analysis {

DataTab::DataTab(QWidget* parent)
    : QWidget(parent), table_(new QTableView(this)), model_(new RecordTableModel(this)),
      rejected_(new QListWidget(this)), rejectedTitle_(new QLabel(this)) {
    setObjectName(QStringLiteral("datos"));
    table_->setObjectName(QStringLiteral("records"));
    rejected_->setObjectName(QStringLiteral("rejectedLines"));
    table_->setModel(model_);
    // Rows of one height, so that the view never measures every row.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    // Widths from the header and the widest text a cell of the column shows (seven
    // digits after leading zeros, an exponent form, or a whole number of seven digits),
    // measured once: sizing from every cell would cost the window its start-up time.
    const QFontMetrics metrics(table_->font());
    const int number = metrics.horizontalAdvance(QStringLiteral("−0,0000000000")) + 12;
    const int exponent = metrics.horizontalAdvance(QStringLiteral("−0,000000e+00")) + 12;
    const int whole = metrics.horizontalAdvance(QStringLiteral("−0000000")) + 12;
    const QStringList headers = dataColumnHeaders();
    for (int c = 0; c < headers.size(); ++c) {
        const int header = metrics.horizontalAdvance(headers[c]) + 20;
        // Record number, field and current are whole numbers or nearly; the type a letter.
        const int wanted = c == 11                        ? header
                           : (c == 0 || c == 2 || c == 3) ? whole
                           : c == 12                      ? exponent
                                                          : number;
        table_->setColumnWidth(c, std::max(header, wanted));
    }
    auto* bottom = new QWidget(this);
    auto* bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->addWidget(rejectedTitle_);
    bottomLayout->addWidget(rejected_);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(table_);
    split->addWidget(bottom);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(split);
}

void DataTab::refresh(const Analysis* a) {
    model_->setAnalysis(a);
    rejected_->clear();
    if (!a || a->data.rejected.empty()) {
        rejectedTitle_->setText(QStringLiteral("Líneas rechazadas: ninguna"));
        return;
    }
    // A file of garbage can have a million rejected lines; the list shows the first.
    constexpr std::size_t kShown = 1000;
    for (std::size_t i = 0; i < std::min(kShown, a->data.rejected.size()); ++i) {
        const Rejection& r = a->data.rejected[i];
        rejected_->addItem(QStringLiteral("línea %1: %2").arg(r.line).arg(QString::fromStdString(r.reason)));
    }
    if (a->data.rejected.size() > kShown)
        rejected_->addItem(QStringLiteral("… y %1 más").arg(a->data.rejected.size() - kShown));
    rejectedTitle_->setText(QStringLiteral("Líneas rechazadas: %1").arg(a->data.rejected.size()));
}

} // namespace eh::analysis
