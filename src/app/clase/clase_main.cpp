// tarvelo-clase: the teacher's program, without a window. The slips are drawn
// offscreen: no display is needed.
#include <QGuiApplication>
#include <cstdio>
#include <iostream>
#include <memory>

#include "app/clase/ClaseCommands.h"
#include "app/clase/SlipsPdf.h"

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
    std::unique_ptr<QGuiApplication> app;
    const SlipsMaker slips = [&app, argc, argv](const std::vector<KeyRow>& rows, std::string& bytes,
                                                std::string& reason) mutable {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        int qtArgc = argc;
        if (!app) app = std::make_unique<QGuiApplication>(qtArgc, argv);
        bytes = slipsPdf(rows).toStdString();
        if (!bytes.empty()) return true;
        reason = "no se han podido componer las fichas";
        return false;
    };
    return runClase(*options, std::cout, std::cerr, slips);
}
