// tarvelo-clase built without Qt: every command but the slips' PDF.
#include <cstdio>
#include <iostream>

#include "app/clase/ClaseCommands.h"

int main(int argc, char** argv) {
    using namespace eh::clase;
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = parseClaseOptions(args, error);
    if (options && options->help) {
        std::fputs(kClaseUsage, stdout);
        return 0;
    }
    if (!options) {
        std::fprintf(stderr, "tarvelo-clase: %s\n%s", error.c_str(), kClaseUsage);
        return 2;
    }
    return runClase(*options, std::cout, std::cerr);
}
