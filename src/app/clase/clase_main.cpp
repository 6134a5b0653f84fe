// tarvelo-clase: the teacher's program, without a window. The slips are drawn
// offscreen: no display is needed.
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "app/clase/ClaseCommands.h"
#include "app/clase/SlipsPdf.h"

int main(int argc, char** argv) {
    using namespace eh::clase;
    int status = 0;
    const auto options = readClaseOptions(argc, argv, status);
    if (!options) return status;
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
