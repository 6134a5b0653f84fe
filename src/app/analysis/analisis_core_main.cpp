// tarvelo-analisis without its window: the command-line analysis of a data file.
#include <cstdio>
#include <iostream>

#include "app/analysis/AnalysisOptions.h"
#include "app/analysis/HeadlessRun.h"

int main(int argc, char** argv) {
    using namespace eh::analysis;
    int status = 0;
    const auto options = readAnalysisOptions(argc, argv, status);
    if (!options) return status;
    if (!options->headless()) { // this build has no window to open
        std::fputs(kAnalysisUsage, stderr);
        return 2;
    }
    return runHeadless(*options, std::cerr);
}
