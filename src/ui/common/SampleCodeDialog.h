#pragma once
// Asks for the code of an unknown sample. The field groups what is typed as the code is
// printed ("TWSH-3NKM"), whatever the case and wherever blanks or hyphens were typed; a
// code that names no sample is refused with the reason in Spanish and the dialog stays
// open, so that a mistyped code is never taken for another sample.

#include <QDialog>
#include <QString>
#include <optional>

class QLabel;
class QLineEdit;

namespace eh {

class SampleCodeDialog : public QDialog {
    Q_OBJECT
public:
    // `current` is the code in use, offered for editing; empty for none.
    explicit SampleCodeDialog(QWidget* parent = nullptr, const QString& current = {});

    // The accepted code as printed ("TWSH-3NKM"); empty until the dialog is accepted.
    const QString& code() const { return code_; }

    // Runs the dialog modally; the accepted code, or nothing when it was cancelled.
    static std::optional<QString> ask(QWidget* parent, const QString& current = {});

    // Closes the dialog with the code if it names a sample; otherwise says why and stays.
    void accept() override;

private:
    void regroup();

    QLineEdit* field_ = nullptr;
    QLabel* message_ = nullptr;
    QString code_;
};

} // namespace eh
