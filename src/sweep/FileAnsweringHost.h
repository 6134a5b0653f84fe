#pragma once
// A desktop without a screen: the save dialog answers one fixed file name, and
// messages go to standard error and are counted.

#include <cstdio>
#include <optional>
#include <string>

#include "bench/BenchHost.h"

namespace eh::sweep {

class FileAnsweringHost : public BenchHost {
public:
    explicit FileAnsweringHost(std::string fileName) : fileName_(std::move(fileName)) {}

    void showMessage(const std::string& text, const std::string& title) override {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        ++messages;
    }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override { return fileName_; }
    void setBusyPointer(bool) override {}

    int messages = 0;

private:
    std::string fileName_;
};

} // namespace eh::sweep
