#pragma once
// A change of what the fits use (a range, a record left out or put back) as a step
// the user can undo: the two directions are given as calls.

#include <QUndoCommand>
#include <functional>

namespace eh::analysis {

class FitEditCommand : public QUndoCommand {
public:
    FitEditCommand(const QString& text, std::function<void()> apply, std::function<void()> revert)
        : QUndoCommand(text), apply_(std::move(apply)), revert_(std::move(revert)) {}
    void redo() override { apply_(); }
    void undo() override { revert_(); }

private:
    std::function<void()> apply_, revert_;
};

} // namespace eh::analysis
