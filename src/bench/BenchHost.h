#pragma once
// The platform seam of the bench: everything it asks of the desktop.

#include <optional>
#include <string>

namespace eh {

struct SaveDialogRequest {
    std::string title;
    std::string filter;  // "description|pattern|description|pattern"
    int filterIndex = 1; // preselected entry, counted from 1
    bool overwritePrompt = false;
    std::string suggestedName; // offered in the name field; empty for none
};

class BenchHost {
public:
    virtual ~BenchHost() = default;
    // A modal message box with one OK button and no icon.
    virtual void showMessage(const std::string& text, const std::string& title) = 0;
    // The chosen file name, or nothing when the user cancelled.
    virtual std::optional<std::string> askSaveFileName(const SaveDialogRequest& request) = 0;
    virtual void setBusyPointer(bool busy) = 0;
};

} // namespace eh
