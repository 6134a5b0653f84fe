#include "ui/analysis/AnalysisWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include "analysis/Samples.h"
#include "model/SampleCode.h"
#include "ui/analysis/AnalysisHelp.h"
#include "ui/analysis/ChartExport.h"
#include "ui/analysis/DataTab.h"
#include "ui/analysis/PlotTab.h"
#include "ui/analysis/ReportPdf.h"
#include "ui/analysis/SaveBytes.h"
#include "ui/analysis/ScreenFit.h"
#include "ui/common/SampleCodeDialog.h"

namespace eh::analysis {

namespace {

constexpr int kMaxRecent = 8;
// The sample box's last item, the unknown samples, has this in place of a number.
constexpr int kUnknownSampleItem = -1;
// Room for two plots' worth of detail beside the fit panel, when the screen has it.
constexpr QSize kPreferredSize(1200, 780);

} // namespace

AnalysisWindow::AnalysisWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("analysisWindow"));
    setWindowTitle(QStringLiteral("Tarvelo — Análisis de datos"));
    // The fields of temperatures show the decimal comma of the results beside them.
    QLocale spanish(QLocale::Spanish, QLocale::Spain);
    spanish.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(spanish);
    setAcceptDrops(true);
    history_ = new QUndoStack(this);
    buildMenus();
    buildCentre();
    emit tabShown(tabs_->currentIndex());
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    statusBar()->addWidget(status_, 1);
    connect(&follower_, &FileFollower::filesChanged, this, &AnalysisWindow::reloadFiles);

    // Read once here and written back when the window closes: writing settings while
    // files open would cost the window its start-up time.
    {
        QSettings store(QStringLiteral("Tarvelo"), QStringLiteral("tarvelo-analisis"));
        const bool restored = restoreGeometry(store.value(QStringLiteral("geometry")).toByteArray());
        fitIntoScreen(restored);
        recent_ = store.value(QStringLiteral("recentFiles")).toStringList();
        lastFolder_ = store.value(QStringLiteral("lastFolder")).toString();
        reportInfo_.student = store.value(QStringLiteral("student")).toString();
        reportInfo_.group = store.value(QStringLiteral("group")).toString();
    }
    updateRecentMenu();
    refresh();
}

AnalysisWindow::~AnalysisWindow() = default;

void AnalysisWindow::fitIntoScreen(bool restored) {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown || isMaximized() || isFullScreen()) return;
    const QRect available = shown->availableGeometry();
    QRect wanted = geometry();
    if (!restored) {
        wanted = QRect(QPoint(), kPreferredSize);
        wanted.moveCenter(available.center());
    }
    setGeometry(fitToScreen(wanted, available));
}

void AnalysisWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Archivo"));
    QAction* open = file->addAction(QStringLiteral("&Abrir…"), this, &AnalysisWindow::askOpen);
    open->setShortcut(QKeySequence::Open);
    recentMenu_ = file->addMenu(QStringLiteral("Abiertos &recientemente"));
    file->addSeparator();
    QAction* plot =
        file->addAction(QStringLiteral("&Exportar gráfica…"), this, &AnalysisWindow::askExportPlot);
    plot->setObjectName(QStringLiteral("exportPlot"));
    QAction* table =
        file->addAction(QStringLiteral("Exportar &tabla CSV…"), this, &AnalysisWindow::askExportTable);
    table->setObjectName(QStringLiteral("exportTable"));
    // Ctrl+E exports what the tab shows: the plot, or on the Datos tab the table.
    const auto followTab = [plot, table](int tab) {
        plot->setEnabled(tab > 0);
        plot->setShortcut(tab > 0 ? QKeySequence(Qt::CTRL | Qt::Key_E) : QKeySequence());
        table->setShortcut(tab > 0 ? QKeySequence() : QKeySequence(Qt::CTRL | Qt::Key_E));
    };
    connect(this, &AnalysisWindow::tabShown, this, followTab);
    file->addAction(QStringLiteral("Exportar a&justes CSV…"), this, &AnalysisWindow::askExportFits);
    file->addAction(QStringLiteral("&Guardar datos en formato español…"), this,
                    &AnalysisWindow::askSaveSpanish);
    file->addSeparator();
    file->addAction(QStringLiteral("&Informe PDF…"), this, &AnalysisWindow::askReport);
    QAction* print = file->addAction(QStringLiteral("Im&primir…"), this, &AnalysisWindow::askPrint);
    print->setShortcut(QKeySequence::Print);
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("&Salir"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    buildEditMenu();
    addHelpMenu(this);
}

void AnalysisWindow::buildEditMenu() {
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Editar"));
    QAction* undo = history_->createUndoAction(this, QStringLiteral("&Deshacer"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcut(QKeySequence::Undo);
    edit->addAction(undo);
    QAction* redo = history_->createRedoAction(this, QStringLiteral("&Rehacer"));
    redo->setObjectName(QStringLiteral("redo"));
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(redo);
    edit->addSeparator();
    // Copies go to a spreadsheet or a document: the data as text, or the picture.
    QAction* copyData = edit->addAction(QStringLiteral("&Copiar datos"), this, [this] {
        if (PlotTab* tab = currentPlotTab()) tab->copyData();
    });
    copyData->setObjectName(QStringLiteral("copyData"));
    copyData->setShortcut(QKeySequence::Copy);
    QAction* copyImage = edit->addAction(QStringLiteral("Copiar &imagen"), this, [this] {
        if (PlotTab* tab = currentPlotTab()) tab->copyImage();
    });
    copyImage->setObjectName(QStringLiteral("copyImage"));
    copyImage->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    // On the Datos tab the table copies its own cells.
    connect(this, &AnalysisWindow::tabShown, this, [copyData, copyImage](int tab) {
        copyData->setEnabled(tab > 0);
        copyImage->setEnabled(tab > 0);
    });
}

PlotTab* AnalysisWindow::currentPlotTab() {
    const int index = tabs_->currentIndex() - 1; // after the data tab
    if (index < 0 || std::size_t(index) >= plots_.size()) return nullptr;
    return plots_[std::size_t(index)];
}

void AnalysisWindow::buildCentre() {
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    auto* bar = new QHBoxLayout;
    seriesBox_ = new QComboBox(centre);
    seriesBox_->setObjectName(QStringLiteral("seriesBox"));
    seriesBox_->setMinimumWidth(280);
    sampleBox_ = new QComboBox(centre);
    sampleBox_->setObjectName(QStringLiteral("sampleBox"));
    for (int sample : analysableSamples())
        sampleBox_->addItem(QStringLiteral("Muestra %1 (tipo %2)")
                                .arg(sample)
                                .arg(QString::fromStdString(sampleType(sample))),
                            sample);
    sampleBox_->addItem(QStringLiteral("Muestra problema…"), kUnknownSampleItem);
    bar->addWidget(new QLabel(QStringLiteral("Serie:"), centre));
    bar->addWidget(seriesBox_);
    bar->addSpacing(16);
    bar->addWidget(new QLabel(QStringLiteral("Muestra:"), centre));
    bar->addWidget(sampleBox_);
    bar->addSpacing(16);
    weightedBox_ = new QCheckBox(QStringLiteral("Ajuste ponderado"), centre);
    weightedBox_->setObjectName(QStringLiteral("weighted"));
    weightedBox_->setToolTip(
        QStringLiteral("Ajusta por mínimos cuadrados ponderados con las incertidumbres de "
                       "los instrumentos; sin marcar, por mínimos cuadrados ordinarios."));
    bar->addWidget(weightedBox_);
    bar->addStretch(1);
    layout->addLayout(bar);

    tabs_ = new QTabWidget(centre);
    tabs_->setObjectName(QStringLiteral("tabs"));
    data_ = new DataTab(tabs_);
    tabs_->addTab(data_, QStringLiteral("Datos"));
    // Each plot tab is made the first time it is shown: they are not needed for the
    // window to open, and making them costs start-up time.
    for (PlotKind kind : kAllPlots) {
        auto* page = new QWidget(tabs_);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        pages_.push_back(page);
        plots_.push_back(nullptr);
        tabs_->addTab(page, plotTitle(kind));
    }
    layout->addWidget(tabs_, 1);
    setCentralWidget(centre);
    plotStale_.assign(plots_.size(), true);
    connect(tabs_, &QTabWidget::currentChanged, this, &AnalysisWindow::refreshVisiblePlot);
    connect(tabs_, &QTabWidget::currentChanged, this, &AnalysisWindow::tabShown);

    connect(seriesBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating_ || index < 0) return;
        selectSeries(index);
    });
    connect(weightedBox_, &QCheckBox::toggled, this, &AnalysisWindow::setWeighted);
    connect(sampleBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating_ || index < 0 || seriesBox_->currentIndex() < 0) return;
        const int sample = sampleBox_->itemData(index).toInt();
        if (sample != kUnknownSampleItem) setSample(seriesBox_->currentIndex(), sample);
    });
    // Also when it is the item already shown: the user may want another code.
    connect(sampleBox_, &QComboBox::activated, this, [this](int index) {
        if (sampleBox_->itemData(index).toInt() == kUnknownSampleItem) askSampleCode();
    });
}

void AnalysisWindow::askSampleCode() {
    const int index = seriesBox_->currentIndex();
    if (index < 0) {
        showSampleOf(index);
        return;
    }
    const auto code = SampleCodeDialog::ask(this, QString::fromStdString(analysis(index).sampleCode));
    if (!code || !setSampleCode(index, *code)) showSampleOf(index); // the series keeps its sample
}

// The series' sample in the sample box; the unknown sample's item names its code.
void AnalysisWindow::showSampleOf(int seriesIndex) {
    const int last = sampleBox_->count() - 1;
    const bool known = seriesIndex >= 0 && seriesIndex < seriesCount();
    const std::string code = known ? analysis(seriesIndex).sampleCode : std::string();
    updating_ = true;
    sampleBox_->setItemText(
        last, code.empty() ? QStringLiteral("Muestra problema…")
                           : QStringLiteral("Muestra problema %1…").arg(QString::fromStdString(code)));
    if (!known)
        sampleBox_->setCurrentIndex(0);
    else
        sampleBox_->setCurrentIndex(code.empty() ? sampleBox_->findData(analysis(seriesIndex).sample) : last);
    updating_ = false;
}

bool AnalysisWindow::load(Series& s, const QString& path, FileState& state) const {
    DataSet data;
    state = readFollowedFile(path, data);
    if (state.status != FileStatus::UpToDate) return false;
    s.analysis.path = path.toStdString();
    s.analysis.data = std::move(data);
    if (!s.sampleChosen) s.analysis.sample = guessSample(s.analysis.data.records);
    analyse(s.analysis, settings_);
    return true;
}

bool AnalysisWindow::openFiles(const QStringList& paths, QStringList* errors) {
    QStringList opened, failed;
    bool stateChanged = false;
    for (const QString& given : paths) {
        const QString path = QFileInfo(given).absoluteFilePath();
        auto existing = std::find_if(series_.begin(), series_.end(),
                                     [&](const auto& s) { return s->analysis.path == path.toStdString(); });
        auto fresh = std::make_unique<Series>();
        Series& target = existing != series_.end() ? **existing : *fresh;
        FileState state;
        const bool read = load(target, path, state);
        stateChanged = stateChanged || (existing != series_.end() && !(target.state == state));
        target.state = state;
        if (!read) {
            failed << QStringLiteral("%1: %2").arg(
                path, state.status == FileStatus::Deleted ? QStringLiteral("no existe") : stateText(state));
            continue;
        }
        if (existing == series_.end()) series_.push_back(std::move(fresh));
        follower_.follow(path);
        opened << path;
    }
    if (!opened.isEmpty()) {
        rememberRecent(opened);
        lastFolder_ = QFileInfo(opened.back()).absolutePath();
        refresh();
        selectSeries(seriesCount() - 1);
    } else if (stateChanged) {
        refresh(); // an open series found gone or broken shows it
    }
    if (errors) *errors = failed;
    return failed.isEmpty();
}

void AnalysisWindow::reanalyse() {
    for (auto& s : series_) analyse(s->analysis, settings_);
    refresh();
}

void AnalysisWindow::setSample(int seriesIndex, int sample) {
    if (seriesIndex < 0 || seriesIndex >= seriesCount() || !isAnalysableSample(sample)) return;
    Series& s = *series_[std::size_t(seriesIndex)];
    s.sampleChosen = true;
    s.analysis.sample = sample;
    s.analysis.sampleCode.clear();
    analyse(s.analysis, settings_);
    refresh();
}

bool AnalysisWindow::setSampleCode(int seriesIndex, const QString& code) {
    std::string error;
    const auto parsed = SampleCode::parse(code.toStdString(), error);
    if (seriesIndex < 0 || seriesIndex >= seriesCount() || !parsed) return false;
    Series& s = *series_[std::size_t(seriesIndex)];
    s.sampleChosen = true;
    s.analysis.sampleCode = parsed->text();
    analyse(s.analysis, settings_);
    refresh();
    return true;
}

void AnalysisWindow::setRange(PlotKind kind, Range range) {
    if (range.minK > range.maxK) std::swap(range.minK, range.maxK);
    if (kind == PlotKind::Gap)
        settings_.gap = range;
    else if (kind == PlotKind::Mobility)
        settings_.mobility = range;
    else
        return;
    reanalyse();
}

void AnalysisWindow::setFieldTemperature(double kelvin) {
    if (!(kelvin > 0)) return;
    settings_.fieldTemperatureK = kelvin;
    reanalyse();
}

void AnalysisWindow::setLeftOut(const QString& path, std::size_t record, bool out) {
    std::set<std::size_t>& records = settings_.leftOut[path.toStdString()];
    if (out)
        records.insert(record);
    else
        records.erase(record);
    reanalyse();
}

void AnalysisWindow::setWeighted(bool weighted) {
    weightedBox_->setChecked(weighted);
    if (settings_.weighted == weighted) return;
    settings_.weighted = weighted;
    reanalyse();
}

void AnalysisWindow::selectSeries(int index) {
    if (index < 0 || index >= seriesCount()) return;
    updating_ = true;
    seriesBox_->setCurrentIndex(index);
    updating_ = false;
    showSampleOf(index);
    data_->refresh(&analysis(index));
}

PlotTab* AnalysisWindow::ensurePlotTab(std::size_t index) {
    if (!plots_[index]) {
        auto* tab = new PlotTab(kAllPlots[index], pages_[index]);
        pages_[index]->layout()->addWidget(tab);
        tab->show();
        connect(tab, &PlotTab::rangeChanged, this, &AnalysisWindow::setRange);
        connect(tab, &PlotTab::fieldTemperatureChanged, this, &AnalysisWindow::setFieldTemperature);
        connect(tab, &PlotTab::leftOutChanged, this, &AnalysisWindow::setLeftOut);
        connect(tab, &PlotTab::exportRequested, this, &AnalysisWindow::askExportPlot);
        tab->setUndoStack(history_);
        plots_[index] = tab;
        plotStale_[index] = true;
    }
    return plots_[index];
}

void AnalysisWindow::refreshVisiblePlot() {
    const int current = tabs_->currentIndex() - 1; // after the data tab
    if (current < 0 || current >= int(plots_.size())) return;
    const auto i = std::size_t(current);
    PlotTab* tab = ensurePlotTab(i);
    if (!plotStale_[i]) return;
    tab->refresh(plotSeries(), settings_);
    plotStale_[i] = false;
}

std::vector<PlotSeries> AnalysisWindow::plotSeries() const {
    std::vector<PlotSeries> out;
    for (const auto& s : series_) {
        const QString name = QFileInfo(QString::fromStdString(s->analysis.path)).fileName();
        const bool stale = s->state.status != FileStatus::UpToDate;
        out.push_back({&s->analysis,
                       stale ? QStringLiteral("%1 (%2)").arg(name, statusWord(s->state.status)) : name,
                       staleNote(name, s->state)});
    }
    return out;
}

void AnalysisWindow::refresh() {
    showSeriesList();
    plotStale_.assign(plots_.size(), true);
    refreshVisiblePlot();
    selectSeries(std::clamp(seriesBox_->currentIndex(), 0, seriesCount() - 1));
    if (series_.empty()) data_->refresh(nullptr);
    showStatus();
    emit refreshed();
}

// Each file with how it stands; one whose data are no longer its file's is marked.
void AnalysisWindow::showSeriesList() {
    const int current = seriesBox_->currentIndex();
    updating_ = true;
    seriesBox_->clear();
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const auto& s : series_) {
        const QString path = QString::fromStdString(s->analysis.path);
        const bool stale = s->state.status != FileStatus::UpToDate;
        seriesBox_->addItem(stale ? warning : QIcon(),
                            QStringLiteral("%1 — %2").arg(QFileInfo(path).fileName(), stateText(s->state)),
                            path);
        seriesBox_->setItemData(seriesBox_->count() - 1,
                                stale ? staleNote(QDir::toNativeSeparators(path), s->state)
                                      : QDir::toNativeSeparators(path),
                                Qt::ToolTipRole);
    }
    seriesBox_->setCurrentIndex(current);
    updating_ = false;
}

void AnalysisWindow::showStatus() {
    if (series_.empty()) {
        status_->setStyleSheet({});
        status_->setText(QStringLiteral("Abra un fichero de datos del banco (Archivo, Abrir…, Ctrl+O) o "
                                        "arrástrelo a la ventana."));
        return;
    }
    std::size_t records = 0, rejected = 0;
    QStringList stale;
    for (const auto& s : series_) {
        records += s->analysis.data.records.size(), rejected += s->analysis.data.rejected.size();
        if (s->state.status != FileStatus::UpToDate)
            stale << QStringLiteral("%1: %2").arg(
                QFileInfo(QString::fromStdString(s->analysis.path)).fileName(), stateText(s->state));
    }
    // Spanish counts: "1 serie", "1 registro", "1 línea rechazada", the plural otherwise.
    const auto count = [](std::size_t n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
    };
    QString text = count(series_.size(), "serie", "series") + QStringLiteral(", ") +
                   count(records, "registro", "registros") + QStringLiteral(", ") +
                   count(rejected, "línea rechazada", "líneas rechazadas");
    if (stale.isEmpty())
        text +=
            series_.size() == 1 ? QStringLiteral(" · fichero al día") : QStringLiteral(" · ficheros al día");
    else
        text += QStringLiteral(" · ") + stale.join(QStringLiteral("; ")) +
                QStringLiteral(" (se muestran los últimos datos leídos)");
    // Dark red, as the report's warnings.
    status_->setStyleSheet(stale.isEmpty() ? QString() : QStringLiteral("color: #8b0000;"));
    status_->setText(text);
}

void AnalysisWindow::reloadFiles(const QStringList& paths) {
    bool changed = false;
    for (const QString& path : paths) {
        auto it = std::find_if(series_.begin(), series_.end(),
                               [&](const auto& s) { return s->analysis.path == path.toStdString(); });
        if (it == series_.end()) continue;
        Series& series = **it;
        Series copy = series;
        FileState state;
        if (load(copy, path, state)) {
            series = std::move(copy);
            changed = true;
        } else if (state.status == FileStatus::Unreadable) {
            follower_.retry(path);
        }
        changed = changed || !(state == series.state);
        series.state = state;
    }
    if (changed) refresh();
}

void AnalysisWindow::rememberRecent(const QStringList& paths) {
    for (const QString& p : paths) {
        recent_.removeAll(p);
        recent_.prepend(p);
    }
    while (recent_.size() > kMaxRecent) recent_.removeLast();
    updateRecentMenu();
}

void AnalysisWindow::updateRecentMenu() {
    recentMenu_->clear();
    for (const QString& p : std::as_const(recent_))
        recentMenu_->addAction(QDir::toNativeSeparators(p), this, [this, p] {
            QStringList errors;
            if (!openFiles({p}, &errors)) showErrors(errors);
        });
    recentMenu_->setEnabled(!recent_.isEmpty());
}

void AnalysisWindow::showErrors(const QStringList& errors) {
    if (errors.isEmpty()) return;
    QMessageBox::warning(this, QStringLiteral("Análisis de datos"), errors.join(QLatin1Char('\n')));
}

QString AnalysisWindow::lastFolder() const {
    return lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
}

void AnalysisWindow::setLastFolder(const QString& file) {
    lastFolder_ = QFileInfo(file).absolutePath();
}

PlotTab* AnalysisWindow::shownPlotTab(PlotKind kind) {
    for (std::size_t i = 0; i < std::size(kAllPlots); ++i) {
        if (kAllPlots[i] != kind) continue;
        tabs_->setCurrentWidget(pages_[i]);
        refreshVisiblePlot();
        return plots_[i];
    }
    return nullptr;
}

void AnalysisWindow::closeEvent(QCloseEvent* event) {
    QSettings store(QStringLiteral("Tarvelo"), QStringLiteral("tarvelo-analisis"));
    store.setValue(QStringLiteral("geometry"), saveGeometry());
    store.setValue(QStringLiteral("recentFiles"), recent_);
    store.setValue(QStringLiteral("lastFolder"), lastFolder_);
    store.setValue(QStringLiteral("student"), reportInfo_.student);
    store.setValue(QStringLiteral("group"), reportInfo_.group);
    QMainWindow::closeEvent(event);
}

void AnalysisWindow::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
}

void AnalysisWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    QStringList errors;
    if (!openFiles(paths, &errors)) showErrors(errors);
    event->acceptProposedAction();
}

} // namespace eh::analysis
