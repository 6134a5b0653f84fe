#include "analysis/Samples.h"

#include <algorithm>
#include <cctype>

#include "model/SampleCatalogue.h"

namespace eh::analysis {
namespace {

const SampleCatalogue& catalogue() {
    static const SampleCatalogue filled = [] {
        SampleCatalogue c;
        c.fill();
        return c;
    }();
    return filled;
}

} // namespace

std::vector<int> analysableSamples() {
    std::vector<int> out;
    for (int n = 1; n <= SampleCatalogue::kRows; ++n)
        if (isAnalysableSample(n)) out.push_back(n);
    return out;
}

bool isAnalysableSample(int sample) {
    return SampleCatalogue::isMeasurable(sample);
}

std::string sampleType(int sample) {
    if (!isAnalysableSample(sample)) return {};
    std::string type = catalogue().row(sample).Tipo;
    std::transform(type.begin(), type.end(), type.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return type;
}

std::string analysableSamplesText() {
    const std::vector<int> numbers = analysableSamples();
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) text += i + 1 == numbers.size() ? " o " : ", ";
        text += std::to_string(numbers[i]);
    }
    return text;
}

} // namespace eh::analysis
