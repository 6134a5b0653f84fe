#include "ui/analysis/PlotTab.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/analysis/FitText.h"
#include "ui/analysis/RangeChartView.h"

namespace eh::analysis {

namespace {

QDoubleSpinBox* temperatureBox(QWidget* parent, const char* name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, 2000);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" K"));
    box->setKeyboardTracking(false);
    return box;
}

// The fits each plot shows results of.
std::vector<FitKind> fitsOf(PlotKind kind) {
    switch (kind) {
    case PlotKind::Mobility:
        return {FitKind::MobilityExponent};
    case PlotKind::Gap:
        return {FitKind::GapSigma, FitKind::GapHall};
    case PlotKind::FieldHall:
        return {FitKind::HallFromField};
    default:
        return {};
    }
}

} // namespace

PlotTab::PlotTab(PlotKind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setObjectName(QStringLiteral("plot_") + plotFileName(kind));
    auto* side = new QWidget(this);
    side->setFixedWidth(260);
    auto* sideLayout = new QVBoxLayout(side);
    auto* form = new QFormLayout;
    sideLayout->addLayout(form);
    if (kind == PlotKind::Mobility || kind == PlotKind::Gap) {
        minField_ = temperatureBox(side, "tMin");
        maxField_ = temperatureBox(side, "tMax");
        form->addRow(QStringLiteral("T mín:"), minField_);
        form->addRow(QStringLiteral("T máx:"), maxField_);
        connect(minField_, &QDoubleSpinBox::valueChanged, this, &PlotTab::fieldsEdited);
        connect(maxField_, &QDoubleSpinBox::valueChanged, this, &PlotTab::fieldsEdited);
        auto* hint = new QLabel(
            QStringLiteral("Arrastre sobre la gráfica para elegir el intervalo del ajuste."), side);
        hint->setWordWrap(true);
        sideLayout->addWidget(hint);
    } else if (kind == PlotKind::FieldHall) {
        temperatureField_ = temperatureBox(side, "tField");
        form->addRow(QStringLiteral("T (±1 K):"), temperatureField_);
        connect(temperatureField_, &QDoubleSpinBox::valueChanged, this, [this](double t) {
            if (!updating_) emit fieldTemperatureChanged(t);
        });
    }
    results_ = new QLabel(side);
    results_->setObjectName(QStringLiteral("results"));
    results_->setWordWrap(true);
    results_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    results_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    sideLayout->addWidget(results_, 1);

    layout_ = new QHBoxLayout(this);
    layout_->setContentsMargins(4, 4, 4, 4);
    layout_->addWidget(side);
    side->setVisible(kind != PlotKind::Resistivity); // nothing fitted there
}

// The chart view is made when the plot is first drawn: Qt Charts costs start-up time.
RangeChartView* PlotTab::ensureView() {
    if (view_) return view_;
    view_ = new RangeChartView(this);
    view_->setObjectName(QStringLiteral("chart_") + plotFileName(kind_));
    layout_->insertWidget(0, view_, 1);
    view_->show(); // made after the tab may already be on screen
    if (minField_) connect(view_, &RangeChartView::spanSelected, this, &PlotTab::spanDragged);
    return view_;
}

QChart* PlotTab::chart() const {
    return view_ ? view_->chart() : nullptr;
}

void PlotTab::fieldsEdited() {
    if (updating_) return;
    Range r{minField_->value(), maxField_->value()};
    if (r.minK > r.maxK) std::swap(r.minK, r.maxK);
    emit rangeChanged(kind_, r);
}

void PlotTab::spanDragged(double from, double to) {
    double a = temperatureFromAxis(kind_, from), b = temperatureFromAxis(kind_, to);
    if (a > b) std::swap(a, b);
    emit rangeChanged(kind_, Range{std::round(a * 10) / 10, std::round(b * 10) / 10});
}

void PlotTab::refresh(const std::vector<PlotSeries>& series, const FitSettings& settings) {
    updating_ = true;
    if (minField_) {
        const Range r = kind_ == PlotKind::Gap ? settings.gap : settings.mobility;
        minField_->setValue(r.minK);
        maxField_->setValue(r.maxK);
    }
    if (temperatureField_) temperatureField_->setValue(settings.fieldTemperatureK);
    updating_ = false;

    QChart* old = ensureView()->chart();
    view_->setChart(buildChart(kind_, series, settings));
    delete old;

    QStringList lines;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const Analysis& a = *series[i].analysis;
        QStringList parts;
        for (FitKind k : fitsOf(kind_))
            for (const FitResult& f : a.fits)
                if (f.kind == k) parts << fitSummary(f).toHtmlEscaped();
        if (kind_ == PlotKind::Hall && !signChangeText(a).isEmpty()) parts << signChangeText(a);
        if (parts.isEmpty()) continue;
        lines << QStringLiteral("<p><b style='color:%1'>%2</b><br>%3</p>")
                     .arg(seriesColor(i).name(), series[i].label.toHtmlEscaped(),
                          parts.join(QStringLiteral("<br>")));
    }
    results_->setText(lines.join(QString()));
}

} // namespace eh::analysis
