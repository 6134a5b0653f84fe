#pragma once
// The desktop as the monkey sees it: the save dialog answers one of two files in a
// private temporary folder, or is cancelled; message boxes are only counted.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

#include "bench/BenchHost.h"

namespace eh::soak {

class SoakHost : public BenchHost {
public:
    explicit SoakHost(std::mt19937& random) : random_(random) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvelo-soak-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
        folder_ = pattern;
    }
    ~SoakHost() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    SoakHost(const SoakHost&) = delete;
    SoakHost& operator=(const SoakHost&) = delete;

    void showMessage(const std::string& text, const std::string& title) override {
        ++messages;
        lastMessage = title + ": " + text;
    }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override {
        ++dialogs;
        switch (std::uniform_int_distribution<int>(0, 3)(random_)) {
        case 0:
            lastAnswer.reset();
            break;
        case 1:
            lastAnswer = (folder_ / "registro.ASC").string();
            break;
        default:
            lastAnswer = (folder_ / "medidas.asc").string();
            break;
        }
        return lastAnswer;
    }
    void setBusyPointer(bool busy) override { busyPointer = busy; }

    const std::filesystem::path& folder() const { return folder_; }

    int messages = 0;
    std::string lastMessage;
    int dialogs = 0;
    std::optional<std::string> lastAnswer;
    bool busyPointer = false;

private:
    std::mt19937& random_;
    std::filesystem::path folder_;
};

} // namespace eh::soak
