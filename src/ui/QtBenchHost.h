#pragma once
// The bench's desktop services with Qt: message box, save dialog, busy pointer.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "bench/BenchHost.h"

namespace eh {

class QtBenchHost : public BenchHost {
public:
    // Dialogs are modal to `owner` when there is one.
    explicit QtBenchHost(QWidget* owner = nullptr) : owner_(owner) {}

    void showMessage(const std::string& text, const std::string& title) override;
    std::optional<std::string> askSaveFileName(const SaveDialogRequest& request) override;
    void setBusyPointer(bool busy) override;

    // Where the next save dialog starts: the folder of the last file chosen in this
    // run, else the documents folder, else the home folder, whichever exists first;
    // the name field offers the last file's name only in its own folder, and a name
    // the request suggests in its place unless the last name holds the suggested one.
    QString startFolder() const;
    QString startName() const;

private:
    QPointer<QWidget> owner_;
    QString lastFile_;
    bool busy_ = false;
};

} // namespace eh
