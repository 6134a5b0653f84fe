#pragma once
// The samples help window: the samples, with the selected sample's number and dimensions.

#include "ui/info/HelpWindow.h"
#include "ui/info/SampleDimensions.h"

namespace eh {

class SamplesHelp : public HelpWindow {
    Q_OBJECT
public:
    explicit SamplesHelp(const SampleDimensions& sample, QWidget* parent = nullptr);

private:
    void showSample(const SampleDimensions& sample);
};

} // namespace eh
