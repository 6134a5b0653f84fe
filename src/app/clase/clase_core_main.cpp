// tarvelo-clase built without Qt: every command but the slips' PDF.
#include <iostream>

#include "app/clase/ClaseCommands.h"

int main(int argc, char** argv) {
    using namespace eh::clase;
    int status = 0;
    const auto options = readClaseOptions(argc, argv, status);
    if (!options) return status;
    return runClase(*options, std::cout, std::cerr);
}
