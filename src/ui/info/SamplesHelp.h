#pragma once
// The samples help window: the samples, with the selected sample's number and dimensions,
// and the way to an unknown sample of the student's own, given by its code.

#include <QString>
#include <functional>

#include "ui/info/HelpWindow.h"
#include "ui/info/SampleDimensions.h"

namespace eh {

// How the window loads an unknown sample into the bench.
struct SampleCodeEntry {
    QString current; // the code in use, offered for editing; empty for none
    // Loads the sample of a valid code and gives the selected sample afterwards.
    std::function<SampleDimensions(const QString& code)> use;
};

class SamplesHelp : public HelpWindow {
    Q_OBJECT
public:
    // Without `entry.use` the "Muestra problema…" button is disabled.
    explicit SamplesHelp(const SampleDimensions& sample, QWidget* parent = nullptr,
                         SampleCodeEntry entry = {});

private:
    void showSample(const SampleDimensions& sample);
    void askForCode();

    SampleCodeEntry entry_;
};

} // namespace eh
