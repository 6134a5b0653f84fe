#pragma once
// Appends the text, paragraphs and pictures the parser finds to a QTextDocument, and
// stops accepting them past fixed size limits.

#include "rtf/RtfPicture.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace eh::rtf {

class RtfDocumentBuilder {
public:
    // A document's size in what costs the layout time: characters, and pieces (runs of
    // one format, paragraphs and pictures). A paragraph with more runs than a writer
    // would ever give one is broken in two, since laying out a paragraph takes time that
    // grows faster than its runs.
    static constexpr qint64 kMaxCharacters = qint64{4} * 1024 * 1024;
    static constexpr qint64 kMaxPieces = 100'000;
    static constexpr int kMaxRunsPerParagraph = 1000;

    // The whole document is one edit: the layout sees it once, when the builder is done.
    explicit RtfDocumentBuilder(QTextDocument& doc);
    ~RtfDocumentBuilder();
    RtfDocumentBuilder(const RtfDocumentBuilder&) = delete;
    RtfDocumentBuilder& operator=(const RtfDocumentBuilder&) = delete;

    void insertText(const QString& text, const QTextCharFormat& format);
    void endParagraph(const QTextBlockFormat& block, const QTextCharFormat& mark);
    // `shift` raises (positive) or lowers (negative) the picture's bottom from the
    // baseline, in document pixels. The rows that move it are paid from `pixelBudget`;
    // a picture that cannot pay for them is left out.
    void insertImage(const PictureImage& picture, const QTextCharFormat& format, double shift,
                     qint64& pixelBudget);
    // Gives the last paragraph its format.
    void finish(const QTextBlockFormat& block, const QTextCharFormat& mark);
    // The pieces inserted so far; grows with every run, paragraph and picture.
    qint64 pieces() const { return pieces_; }
    // True while the paragraph being written holds nothing yet.
    bool paragraphEmpty() const { return cursor_.block().length() <= 1; }
    // True once a limit was reached; later insertions are dropped.
    bool full() const { return full_; }

private:
    bool reserve(qint64 characters);
    bool reservePiece();

    QTextDocument& doc_;
    QTextCursor cursor_;
    qint64 characters_ = 0;
    qint64 pieces_ = 0;
    int paragraphRuns_ = 0;
    bool full_ = false;
};

} // namespace eh::rtf
