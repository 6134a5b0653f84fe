#include "ui/analysis/RecordTableModel.h"

#include "ui/analysis/FitText.h"

namespace eh::analysis {

namespace {

enum Column { Number, T, B, I, Vr, VMinus, VPlus, VH, Rho, Sigma, RH, Type, Density, Mobility, Note, Count };

} // namespace

QStringList dataColumnHeaders() {
    return {QStringLiteral("Registro"),         QStringLiteral("T (K)"),           QStringLiteral("B (G)"),
            QStringLiteral("I (mA)"),           QStringLiteral("V_r (V)"),         QStringLiteral("V(−) (V)"),
            QStringLiteral("V(+) (V)"),         QStringLiteral("V_H (V)"),         QStringLiteral("ρ (Ω·cm)"),
            QStringLiteral("σ (S/cm)"),         QStringLiteral("R_H (cm³/C)"),     QStringLiteral("Tipo"),
            QStringLiteral("densidad (1/cm³)"), QStringLiteral("μ_H (cm²/(V·s))"), QStringLiteral("Nota")};
}

void RecordTableModel::setAnalysis(const Analysis* a) {
    beginResetModel();
    analysis_ = a;
    endResetModel();
}

int RecordTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !analysis_ ? 0 : int(analysis_->data.records.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count;
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    if (!analysis_ || !index.isValid()) return {};
    const auto row = std::size_t(index.row());
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column == Type || column == Note ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const Record& r = analysis_->data.records[row];
    const Derived& d = analysis_->derived[row];
    switch (column) {
    case Number:
        return cellText(r.number);
    case T:
        return cellText(r.temperatureK);
    case B:
        return cellText(r.fieldG);
    case I:
        return cellText(r.currentMa);
    case Vr:
        return cellText(r.vrV);
    case VMinus:
        return cellText(r.vMinusV);
    case VPlus:
        return cellText(r.vPlusV);
    case VH:
        return cellText(d.hallV);
    case Rho:
        return cellText(d.rhoOhmCm);
    case Sigma:
        return cellText(d.sigmaSCm);
    case RH:
        return cellText(d.hallCm3C);
    case Type:
        return QString::fromLatin1(carrierLetter(d.carrier));
    case Density:
        return cellText(d.densityCm3);
    case Mobility:
        return cellText(d.mobilityCm2Vs);
    case Note:
        return d.onePolarity ? QStringLiteral("una polaridad") : QString();
    default:
        return {};
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return dataColumnHeaders().value(section);
}

} // namespace eh::analysis
