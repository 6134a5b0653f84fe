#include "ui/analysis/PlotTab.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QUndoStack>
#include <QVBoxLayout>
#include <cmath>

#include "ui/analysis/FitEditCommand.h"
#include "ui/analysis/FitText.h"
#include "ui/analysis/PlotClipboard.h"
#include "ui/analysis/RangeChartView.h"

namespace eh::analysis {

namespace {

constexpr double kClickReach = 8; // pixels from a marker's centre that still hit it

QDoubleSpinBox* temperatureBox(QWidget* parent, const char* name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, 2000);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" K"));
    box->setKeyboardTracking(false);
    return box;
}

bool hasRange(PlotKind kind) {
    return kind == PlotKind::Mobility || kind == PlotKind::Gap;
}

QString rangeName(PlotKind kind) {
    return kind == PlotKind::Gap ? QStringLiteral("intervalo de la banda prohibida")
                                 : QStringLiteral("intervalo de la movilidad");
}

} // namespace

PlotTab::PlotTab(PlotKind kind, QWidget* parent)
    : QWidget(parent), kind_(kind), scales_(defaultScales(kind)), history_(new QUndoStack(this)) {
    setObjectName(QStringLiteral("plot_") + plotFileName(kind));
    plots_ = new QWidget(this);
    plotsLayout_ = new QVBoxLayout(plots_);
    plotsLayout_->setContentsMargins(0, 0, 0, 0);
    plotsLayout_->setSpacing(0);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(plots_, 1);
    buildSide();
}

void PlotTab::buildSide() {
    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    auto* form = new QFormLayout;
    sideLayout->addLayout(form);
    if (hasRange(kind_)) {
        minField_ = temperatureBox(side, "tMin");
        maxField_ = temperatureBox(side, "tMax");
        form->addRow(QStringLiteral("T mín:"), minField_);
        form->addRow(QStringLiteral("T máx:"), maxField_);
        connect(minField_, &QDoubleSpinBox::valueChanged, this, &PlotTab::fieldsEdited);
        connect(maxField_, &QDoubleSpinBox::valueChanged, this, &PlotTab::fieldsEdited);
    } else if (kind_ == PlotKind::FieldHall) {
        temperatureField_ = temperatureBox(side, "tField");
        form->addRow(QStringLiteral("T (±1 K):"), temperatureField_);
        connect(temperatureField_, &QDoubleSpinBox::valueChanged, this, [this](double t) {
            if (!updating_) changeFieldTemperature(t);
        });
    }
    if (scalesSelectable(kind_)) {
        logX_ = new QCheckBox(QStringLiteral("T logarítmica"), side);
        logY_ = new QCheckBox(QStringLiteral("Eje vertical logarítmico"), side);
        logX_->setObjectName(QStringLiteral("logX"));
        logY_->setObjectName(QStringLiteral("logY"));
        logX_->setChecked(scales_.logX);
        logY_->setChecked(scales_.logY);
        sideLayout->addWidget(logX_);
        sideLayout->addWidget(logY_);
        for (QCheckBox* box : {logX_, logY_})
            connect(box, &QCheckBox::toggled, this, [this] {
                setScales({logX_->isChecked(), logY_->isChecked()});
            });
    }
    auto* reset = new QPushButton(QStringLiteral("Vista inicial"), side);
    reset->setObjectName(QStringLiteral("resetView"));
    connect(reset, &QPushButton::clicked, this, &PlotTab::resetView);
    sideLayout->addWidget(reset);
    if (kind_ == PlotKind::Gap) {
        auto* whole = new QPushButton(QStringLiteral("Todas las temperaturas"), side);
        whole->setObjectName(QStringLiteral("showWhole"));
        connect(whole, &QPushButton::clicked, this, &PlotTab::showWhole);
        sideLayout->addWidget(whole);
    }
    auto* hint = new QLabel(side);
    hint->setWordWrap(true);
    hint->setText(
        (hasRange(kind_) ? QStringLiteral("Arrastre sobre la gráfica para elegir el intervalo del ajuste; "
                                          "con Mayús pulsada, para ampliar. ")
                         : QStringLiteral("Arrastre sobre la gráfica para ampliar. ")) +
        QStringLiteral("La rueda amplía y reduce; Ctrl y arrastre (o el botón central) desplaza. Un clic en "
                       "un punto lo deja fuera de los ajustes o lo vuelve a incluir. Botón derecho: copiar "
                       "y exportar."));
    sideLayout->addWidget(hint);
    results_ = new QLabel(side);
    results_->setObjectName(QStringLiteral("results"));
    results_->setWordWrap(true);
    results_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    results_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    sideLayout->addWidget(results_, 1);

    // Scrolls when the screen is too low for all of it.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("side"));
    scroll->setWidget(side);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFixedWidth(260);
    static_cast<QHBoxLayout*>(layout())->addWidget(scroll);
}

void PlotTab::setUndoStack(QUndoStack* history) {
    if (!history || history == history_) return;
    if (history_->parent() == this) delete history_;
    history_ = history;
}

QChart* PlotTab::chart() const {
    return views_.empty() ? nullptr : views_.front()->chart();
}

QChartView* PlotTab::residualView(std::size_t panel) const {
    return panel < residualViews_.size() ? residualViews_[panel] : nullptr;
}

// The views are made when the plot is first drawn: Qt Charts costs start-up time.
void PlotTab::ensureViews(std::size_t count) {
    while (views_.size() < count) {
        const std::size_t i = views_.size();
        auto* view = new RangeChartView(plots_);
        view->setObjectName(QStringLiteral("chart_") + plotFileName(kind_) +
                            (i ? QString::number(i) : QString()));
        view->setSpanSelection(hasRange(kind_));
        view->setMinimumHeight(160);
        auto* residuals = new QChartView(plots_);
        residuals->setObjectName(QStringLiteral("residuals_") + plotFileName(kind_) +
                                 (i ? QString::number(i) : QString()));
        residuals->setRenderHint(QPainter::Antialiasing);
        residuals->setMinimumHeight(90);
        plotsLayout_->addWidget(view, 5);
        plotsLayout_->addWidget(residuals, 2);
        connect(view, &RangeChartView::spanSelected, this, &PlotTab::spanDragged);
        connect(view, &RangeChartView::clicked, this, [this, i](QPointF at) { pointClicked(i, at); });
        connect(view, &RangeChartView::viewMoved, this, &PlotTab::rememberViews);
        connect(view, &RangeChartView::menuRequested, this, &PlotTab::showMenu);
        view->show(); // made after the tab may already be on screen
        residuals->show();
        views_.push_back(view);
        residualViews_.push_back(residuals);
    }
    userViews_.resize(count);
}

void PlotTab::rememberViews() {
    for (std::size_t i = 0; i < panels_.size(); ++i) userViews_[i] = viewOf(panels_[i].chart);
}

void PlotTab::refresh(const std::vector<PlotSeries>& series, const FitSettings& settings) {
    series_ = series;
    settings_ = settings;
    updating_ = true;
    if (minField_) {
        const Range r = kind_ == PlotKind::Gap ? settings.gap : settings.mobility;
        minField_->setValue(r.minK);
        maxField_->setValue(r.maxK);
    }
    if (temperatureField_) temperatureField_->setValue(settings.fieldTemperatureK);
    updating_ = false;

    std::vector<PlotPanel> fresh = buildPanels(kind_, series, settings, scales_);
    ensureViews(fresh.size());
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        QChart* old = views_[i]->chart();
        views_[i]->setChart(fresh[i].chart);
        delete old;
        if (userViews_[i]) setView(fresh[i].chart, *userViews_[i]);
        QChart* oldResiduals = residualViews_[i]->chart();
        residualViews_[i]->setVisible(fresh[i].residuals != nullptr);
        if (fresh[i].residuals) {
            residualViews_[i]->setChart(fresh[i].residuals);
            delete oldResiduals;
            // The residuals follow the plot's horizontal zoom and pan.
            QAbstractAxis* follower = horizontalAxis(fresh[i].residuals);
            onRangeChanged(horizontalAxis(fresh[i].chart), follower,
                           [follower](double lo, double hi) { setAxisRange(follower, lo, hi); });
            const ViewRange v = viewOf(fresh[i].chart);
            setAxisRange(follower, v.xMin, v.xMax);
        }
    }
    panels_ = std::move(fresh);
    showResults();
}

void PlotTab::showResults() {
    QStringList lines;
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const Analysis& a = *series_[i].analysis;
        QStringList parts;
        for (FitKind k : fitsShownWith(kind_))
            for (const FitResult& f : a.fits) {
                if (f.kind != k) continue;
                parts << fitSummary(f).toHtmlEscaped();
                for (const QString& more : {fitQualityText(f), interceptText(f)})
                    if (!more.isEmpty()) parts << more.toHtmlEscaped();
            }
        if (kind_ == PlotKind::Gap && !gapDifferenceText(a.fits).isEmpty())
            parts << QStringLiteral("<i>%1</i>").arg(gapDifferenceText(a.fits).toHtmlEscaped());
        if (kind_ == PlotKind::Hall && !signChangeText(a).isEmpty())
            parts << signChangeText(a).toHtmlEscaped();
        if (const QString out = leftOutText(a, settings_); !out.isEmpty()) parts << out.toHtmlEscaped();
        if (parts.isEmpty()) continue;
        lines << QStringLiteral("<p><b style='color:%1'>%2</b><br>%3</p>")
                     .arg(seriesColor(i).name(), series_[i].label.toHtmlEscaped(),
                          parts.join(QStringLiteral("<br>")));
    }
    results_->setText(lines.join(QString()));
}

void PlotTab::fieldsEdited() {
    if (updating_) return;
    Range r{minField_->value(), maxField_->value()};
    if (r.minK > r.maxK) std::swap(r.minK, r.maxK);
    changeRange(r);
}

void PlotTab::spanDragged(double from, double to) {
    double a = temperatureFromAxis(kind_, from), b = temperatureFromAxis(kind_, to);
    if (a > b) std::swap(a, b);
    changeRange(Range{std::round(a * 10) / 10, std::round(b * 10) / 10});
}

void PlotTab::changeRange(Range to) {
    const Range from = kind_ == PlotKind::Gap ? settings_.gap : settings_.mobility;
    if (from.minK == to.minK && from.maxK == to.maxK) return;
    const PlotKind kind = kind_;
    history_->push(new FitEditCommand(
        QStringLiteral("cambiar el ") + rangeName(kind), [this, kind, to] { emit rangeChanged(kind, to); },
        [this, kind, from] { emit rangeChanged(kind, from); }));
}

void PlotTab::changeFieldTemperature(double to) {
    const double from = settings_.fieldTemperatureK;
    if (from == to) return;
    history_->push(new FitEditCommand(
        QStringLiteral("cambiar la temperatura de V_H(B)"), [this, to] { emit fieldTemperatureChanged(to); },
        [this, from] { emit fieldTemperatureChanged(from); }));
}

void PlotTab::pointClicked(std::size_t panel, QPointF chartPos) {
    if (panel >= panels_.size()) return;
    const PlotPanel& p = panels_[panel];
    double nearest = kClickReach;
    const MarkedPoints* hit = nullptr;
    std::size_t hitIndex = 0;
    for (const MarkedPoints& m : p.points) {
        const QList<QPointF> points = m.series->points();
        for (qsizetype k = 0; k < points.size(); ++k) {
            const QPointF at = p.chart->mapToPosition(points[k], m.series);
            const double d = std::hypot(at.x() - chartPos.x(), at.y() - chartPos.y());
            if (d <= nearest) nearest = d, hit = &m, hitIndex = std::size_t(k);
        }
    }
    if (!hit) return;
    const QString path = QString::fromStdString(series_[hit->file].analysis->path);
    const std::size_t record = hit->records[hitIndex];
    const bool out = leftOutOf(settings_, path.toStdString()).count(record) == 0;
    const QString text =
        out ? QStringLiteral("dejar fuera un punto") : QStringLiteral("volver a incluir un punto");
    history_->push(new FitEditCommand(
        text, [this, path, record, out] { emit leftOutChanged(path, record, out); },
        [this, path, record, out] { emit leftOutChanged(path, record, !out); }));
}

void PlotTab::resetView() {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        userViews_[i].reset();
        setView(panels_[i].chart, panels_[i].initial);
    }
}

void PlotTab::showWhole() {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        setView(panels_[i].chart, panels_[i].whole);
        userViews_[i] = panels_[i].whole;
    }
}

void PlotTab::setScales(PlotScales scales) {
    if (!scalesSelectable(kind_) || scales == scales_) return;
    scales_ = scales;
    if (logX_) logX_->setChecked(scales.logX);
    if (logY_) logY_->setChecked(scales.logY);
    // A view in one scale means nothing in the other.
    for (auto& v : userViews_) v.reset();
    if (!panels_.empty()) refresh(series_, settings_);
}

void PlotTab::copyImage() {
    if (plots_) QApplication::clipboard()->setImage(plots_->grab().toImage());
}

void PlotTab::copyData() {
    QApplication::clipboard()->setText(visibleDataText(panels_));
}

void PlotTab::showMenu(QPoint globalPos) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Copiar imagen"), this, &PlotTab::copyImage);
    menu.addAction(QStringLiteral("Copiar datos visibles"), this, &PlotTab::copyData);
    menu.addAction(QStringLiteral("Exportar…"), this, &PlotTab::exportRequested);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Vista inicial"), this, &PlotTab::resetView);
    if (kind_ == PlotKind::Gap)
        menu.addAction(QStringLiteral("Todas las temperaturas"), this, &PlotTab::showWhole);
    if (scalesSelectable(kind_)) {
        menu.addSeparator();
        QAction* x = menu.addAction(QStringLiteral("T logarítmica"));
        x->setCheckable(true);
        x->setChecked(scales_.logX);
        connect(x, &QAction::toggled, this, [this](bool on) { setScales({on, scales_.logY}); });
        QAction* y = menu.addAction(QStringLiteral("Eje vertical logarítmico"));
        y->setCheckable(true);
        y->setChecked(scales_.logY);
        connect(y, &QAction::toggled, this, [this](bool on) { setScales({scales_.logX, on}); });
    }
    menu.exec(globalPos);
}

} // namespace eh::analysis
