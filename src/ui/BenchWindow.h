#pragma once
// The bench window: lays out the instruments, passes every widget event to the bench
// model and shows what the model says each widget looks like.

#include <QHash>
#include <QTimer>
#include <QWidget>
#include <array>

#include "bench/BenchModel.h"
#include "ui/QtBenchHost.h"
#include "ui/info/SampleDimensions.h"

namespace eh {

class BenchSurface;

class BenchWindow : public QWidget {
    Q_OBJECT
public:
    explicit BenchWindow(QWidget* parent = nullptr);

    const BenchModel& model() const { return model_; }
    BenchModel& model() { return model_; }
    BenchSurface* surface() const { return surface_; }
    const QTimer& timer(WidgetId id) const { return const_cast<BenchWindow*>(this)->timerFor(id); }

    // Opens the theory window on a course chapter ("Intro.rtf", "EH.rtf", ...), as
    // the chapter links do.
    void openChapter(const QString& fileName);

    // Loads the unknown sample that `code` names, chooses it in the sample list and
    // keeps the code for the next start. A code that names no sample changes nothing:
    // false, with the reason in Spanish in `error`.
    bool useSampleCode(const QString& code, QString* error = nullptr);
    // At start-up: the sample of the code kept by an earlier run, if it still names one.
    bool restoreSampleCode();

protected:
    // With unsaved measurements in the register, asks before the program ends.
    void closeEvent(QCloseEvent* event) override;

private:
    void bindWidgets(const QHash<QString, QWidget*>& widgets);
    void connectEvents();
    void connectHelp();
    void attachCableStubs();
    void mirror(WidgetId id);
    void mirrorAll();
    QWidget* bound(WidgetId id) const { return bound_[static_cast<std::size_t>(id)]; }
    QWidget* named(const char* name) const;
    void openSampleInfo();
    SampleDimensions selectedSample() const;
    void accumulate();
    void emptyRegister();
    void setUpKeyboardAndHints();
    QTimer& timerFor(WidgetId id);

    QtBenchHost host_;
    BenchModel model_;
    BenchSurface* surface_ = nullptr;
    QHash<QString, QWidget*> widgets_;
    std::array<QWidget*, kWidgetCount> bound_{};
    QTimer controlTimer_;
    QTimer magnetTimer1_;
    QTimer magnetTimer2_;
};

} // namespace eh
