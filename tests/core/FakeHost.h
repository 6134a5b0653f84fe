#pragma once
// A BenchHost that records what the bench asked of the desktop.

#include <optional>
#include <string>
#include <vector>

#include "bench/BenchHost.h"

namespace eh::test {

class FakeHost : public BenchHost {
public:
    struct Message {
        std::string text, title;
    };
    std::vector<Message> messages;
    std::vector<SaveDialogRequest> dialogs;
    std::optional<std::string> answer; // what the save dialog returns
    std::vector<bool> pointer;         // every busy-pointer change, in order

    void showMessage(const std::string& text, const std::string& title) override {
        messages.push_back({text, title});
    }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest& request) override {
        dialogs.push_back(request);
        return answer;
    }
    void setBusyPointer(bool busy) override { pointer.push_back(busy); }
};

} // namespace eh::test
