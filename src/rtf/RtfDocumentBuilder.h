#pragma once
// Appends the text, paragraphs and pictures the parser finds to a QTextDocument, and
// stops accepting them past fixed size limits.

#include "rtf/RtfPicture.h"

#include <QTextCursor>
#include <QTextDocument>

namespace eh::rtf {

class RtfDocumentBuilder {
public:
    static constexpr qint64 kMaxCharacters = 16 * 1024 * 1024;
    static constexpr qint64 kMaxParagraphs = 500'000;

    explicit RtfDocumentBuilder(QTextDocument& doc);

    void insertText(const QString& text, const QTextCharFormat& format);
    void endParagraph(const QTextBlockFormat& block, const QTextCharFormat& mark);
    // `shift` raises (positive) or lowers (negative) the picture's bottom from the
    // baseline, in document pixels. The rows that move it are paid from `pixelBudget`;
    // a picture that cannot pay for them is left out.
    void insertImage(const PictureImage& picture, const QTextCharFormat& format, double shift,
                     qint64& pixelBudget);
    // Gives the last paragraph its format.
    void finish(const QTextBlockFormat& block, const QTextCharFormat& mark);
    // True once a limit was reached; later insertions are dropped.
    bool full() const { return full_; }

private:
    bool reserve(qint64 characters);

    QTextDocument& doc_;
    QTextCursor cursor_;
    qint64 characters_ = 0;
    qint64 paragraphs_ = 0;
    bool full_ = false;
};

} // namespace eh::rtf
