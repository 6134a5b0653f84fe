#pragma once
// `Info3`: the samples, with the selected sample's number and dimensions.

#include "ui/info/HelpWindow.h"
#include "ui/info/SampleDimensions.h"

namespace eh {

class Info3 : public HelpWindow {
    Q_OBJECT
public:
    explicit Info3(const SampleDimensions& sample, QWidget* parent = nullptr);

private:
    void showSample(const SampleDimensions& sample);
};

} // namespace eh
