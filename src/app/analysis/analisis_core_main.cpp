// tarvelo-analisis without its window: the command-line analysis of a data file.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "analysis/AnalysisOptions.h"
#include "analysis/HeadlessRun.h"

int main(int argc, char** argv) {
    using namespace eh::analysis;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = parseAnalysisOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "tarvelo-analisis: %s\n%s", error.c_str(), kAnalysisUsage);
        return 2;
    }
    if (options->help || !options->headless()) {
        std::fputs(kAnalysisUsage, options->help ? stdout : stderr);
        return options->help ? 0 : 2;
    }
    return runHeadless(*options, std::cerr);
}
