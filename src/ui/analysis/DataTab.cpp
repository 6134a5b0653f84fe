#include "ui/analysis/DataTab.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/analysis/FitText.h"

namespace eh::analysis {

QStringList dataColumnHeaders() {
    return {QStringLiteral("Registro"),         QStringLiteral("T (K)"),           QStringLiteral("B (G)"),
            QStringLiteral("I (mA)"),           QStringLiteral("V_r (V)"),         QStringLiteral("V(−) (V)"),
            QStringLiteral("V(+) (V)"),         QStringLiteral("V_H (V)"),         QStringLiteral("ρ (Ω·cm)"),
            QStringLiteral("σ (S/cm)"),         QStringLiteral("R_H (cm³/C)"),     QStringLiteral("Tipo"),
            QStringLiteral("densidad (1/cm³)"), QStringLiteral("μ_H (cm²/(V·s))"), QStringLiteral("Nota")};
}

DataTab::DataTab(QWidget* parent)
    : QWidget(parent), table_(new QTableWidget(this)), rejected_(new QListWidget(this)),
      rejectedTitle_(new QLabel(this)) {
    setObjectName(QStringLiteral("datos"));
    table_->setObjectName(QStringLiteral("records"));
    rejected_->setObjectName(QStringLiteral("rejectedLines"));
    table_->setColumnCount(int(dataColumnHeaders().size()));
    table_->setHorizontalHeaderLabels(dataColumnHeaders());
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    // Widths from the header and the widest number the table shows, measured once:
    // sizing from every cell would cost the window its start-up time.
    const QFontMetrics metrics(table_->font());
    const int number = metrics.horizontalAdvance(QStringLiteral("-0.0000000e+00")) + 12;
    const QStringList headers = dataColumnHeaders();
    for (int c = 0; c < headers.size(); ++c) {
        const int header = metrics.horizontalAdvance(headers[c]) + 20;
        const bool narrow = c == 0 || c == 11 || c == 2 || c == 3;
        table_->setColumnWidth(c, std::max(header, narrow ? header : number));
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
    table_->setRowCount(0);
    rejected_->clear();
    if (!a) {
        rejectedTitle_->setText(QStringLiteral("Líneas rechazadas: ninguna"));
        return;
    }
    const auto& records = a->data.records;
    table_->setUpdatesEnabled(false);
    table_->setRowCount(int(records.size()));
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        const Derived& d = a->derived[i];
        const std::optional<double> numbers[] = {r.number,   r.temperatureK, r.fieldG,  r.currentMa,
                                                 r.vrV,      r.vMinusV,      r.vPlusV,  d.hallV,
                                                 d.rhoOhmCm, d.sigmaSCm,     d.hallCm3C};
        int col = 0;
        auto put = [&](const QString& text, bool number = true) {
            auto* item = new QTableWidgetItem(text);
            if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(int(i), col++, item);
        };
        for (const auto& v : numbers) put(cellText(v));
        put(QString::fromLatin1(carrierLetter(d.carrier)), false);
        put(cellText(d.densityCm3));
        put(cellText(d.mobilityCm2Vs));
        put(d.onePolarity ? QStringLiteral("una polaridad") : QString(), false);
    }
    table_->setUpdatesEnabled(true);
    for (const Rejection& r : a->data.rejected)
        rejected_->addItem(QStringLiteral("línea %1: %2").arg(r.line).arg(QString::fromStdString(r.reason)));
    rejectedTitle_->setText(a->data.rejected.empty()
                                ? QStringLiteral("Líneas rechazadas: ninguna")
                                : QStringLiteral("Líneas rechazadas: %1").arg(a->data.rejected.size()));
}

} // namespace eh::analysis
