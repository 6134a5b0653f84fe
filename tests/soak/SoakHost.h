#pragma once
// The desktop as the monkey sees it: the save dialog answers one of two files in a
// private temporary folder, or a name that cannot be saved (a full disk, a missing
// folder, a read-only file), or is cancelled; message boxes are only counted.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "bench/BenchHost.h"

namespace eh::soak {

class SoakHost : public BenchHost {
public:
    explicit SoakHost(std::mt19937& random) : random_(random) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvelo-soak-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
        folder_ = pattern;
        // Root writes any file whatever its bits: for root, a file of the kernel's
        // that nobody may write.
        if (::geteuid() == 0) {
            readOnly_ = "/proc/sys/kernel/ostype";
        } else {
            readOnly_ = folder_ / "solo-lectura.ASC";
            std::FILE* f = std::fopen(readOnly_.c_str(), "w");
            if (f != nullptr) std::fclose(f);
            std::filesystem::permissions(readOnly_, std::filesystem::perms::owner_read);
        }
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
    enum class Answer { Cancel, Save, DiskFull, MissingFolder, ReadOnly };

    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override {
        ++dialogs;
        static constexpr Answer kAnswers[] = {Answer::Cancel,   Answer::Save,     Answer::Save,
                                              Answer::Save,     Answer::DiskFull, Answer::MissingFolder,
                                              Answer::ReadOnly, Answer::Save};
        lastKind = kAnswers[std::uniform_int_distribution<int>(0, 7)(random_)];
        switch (lastKind) {
        case Answer::Cancel:
            lastAnswer.reset();
            break;
        case Answer::Save:
            lastAnswer = (folder_ / (random_() % 2 ? "registro.ASC" : "medidas.asc")).string();
            break;
        case Answer::DiskFull:
            lastAnswer = "/dev/full";
            break;
        case Answer::MissingFolder:
            lastAnswer = (folder_ / "no-existe" / "datos.ASC").string();
            break;
        case Answer::ReadOnly:
            lastAnswer = readOnly_.string();
            break;
        }
        return lastAnswer;
    }
    // Writing nothing to a full disk succeeds: it fails only with records to write.
    bool lastSaveMustFail(int records) const {
        return lastKind == Answer::MissingFolder || lastKind == Answer::ReadOnly ||
               (lastKind == Answer::DiskFull && records > 0);
    }
    void setBusyPointer(bool busy) override { busyPointer = busy; }

    const std::filesystem::path& folder() const { return folder_; }

    int messages = 0;
    std::string lastMessage;
    int dialogs = 0;
    std::optional<std::string> lastAnswer;
    Answer lastKind = Answer::Cancel;
    bool busyPointer = false;

private:
    std::mt19937& random_;
    std::filesystem::path folder_;
    std::filesystem::path readOnly_;
};

} // namespace eh::soak
