#pragma once
// The theory window: one course chapter, read-only, and a button to close it.

#include <QDialog>

class QPushButton;
class QTextBrowser;

namespace eh {

class Teoria : public QDialog {
    Q_OBJECT
public:
    explicit Teoria(QWidget* parent = nullptr);

    // Replaces the text with the chapter in `path`. On failure returns false and
    // says why in `error`.
    bool loadChapter(const QString& path, QString* error);

    QTextBrowser* text() const { return texto1_; }
    const QString& chapterPath() const { return chapterPath_; }

private:
    QTextBrowser* texto1_;
    QPushButton* command1_;
    QString chapterPath_;
};

} // namespace eh
