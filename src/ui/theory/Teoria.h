#pragma once
// The theory window: one course chapter, read-only, and a button to close it.

#include <QDialog>

class QPushButton;
class QTextBrowser;
class QTextDocument;

namespace eh {

class Teoria : public QDialog {
    Q_OBJECT
public:
    explicit Teoria(QWidget* parent = nullptr);

    // Replaces the text with the chapter in `path`. A chapter damaged after some of it
    // was read shows that part under a line saying the file is damaged and why; true
    // then, and isDamaged(). When nothing could be read returns false. `error` gets the
    // reader's reason in both cases.
    bool loadChapter(const QString& path, QString* error);
    bool isDamaged() const { return damaged_; }
    // The line shown above a damaged chapter.
    static QString damageNotice(const QString& fileName, const QString& reason);

    QTextBrowser* text() const { return texto1_; }
    const QString& chapterPath() const { return chapterPath_; }

private:
    static void insertDamageNotice(QTextDocument& doc, const QString& fileName, const QString& reason);

    QTextBrowser* texto1_;
    QPushButton* command1_;
    QString chapterPath_;
    bool damaged_ = false;
};

} // namespace eh
