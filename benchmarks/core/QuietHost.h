#pragma once
// A desktop that never shows anything: the save dialog answers a fixed file name and
// message boxes are only counted, so a benchmark can tell that nothing went wrong.

#include <optional>
#include <string>

#include "bench/BenchHost.h"

namespace eh::bench {

class QuietHost : public BenchHost {
public:
    void showMessage(const std::string&, const std::string&) override { ++messages; }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override { return answer; }
    void setBusyPointer(bool) override {}

    int messages = 0;
    std::optional<std::string> answer;
};

} // namespace eh::bench
