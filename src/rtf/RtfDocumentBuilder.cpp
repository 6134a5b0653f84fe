#include "rtf/RtfDocumentBuilder.h"

#include <QTextBlock>
#include <QTextImageFormat>
#include <QUrl>

namespace eh::rtf {

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument& doc) : doc_(doc), cursor_(&doc) {
    cursor_.movePosition(QTextCursor::End);
}

bool RtfDocumentBuilder::reserve(qint64 characters) {
    if (full_ || characters_ + characters > kMaxCharacters) {
        full_ = true;
        return false;
    }
    characters_ += characters;
    return true;
}

void RtfDocumentBuilder::insertText(const QString& text, const QTextCharFormat& format) {
    if (!text.isEmpty() && reserve(text.size()))
        cursor_.insertText(text, format);
}

void RtfDocumentBuilder::endParagraph(const QTextBlockFormat& block, const QTextCharFormat& mark) {
    if (full_ || ++paragraphs_ > kMaxParagraphs || !reserve(1)) {
        full_ = true;
        return;
    }
    cursor_.setBlockFormat(block);
    cursor_.setBlockCharFormat(mark);
    cursor_.insertBlock(block, mark);
}

void RtfDocumentBuilder::insertImage(const PictureImage& picture, const QTextCharFormat& format) {
    if (!reserve(1))
        return;
    const QUrl name(QStringLiteral("rtf-picture:%1").arg(++images_));
    doc_.addResource(QTextDocument::ImageResource, name, picture.image);
    QTextImageFormat image;
    image.merge(format);
    image.setName(name.toString());
    image.setWidth(picture.displaySize.width());
    image.setHeight(picture.displaySize.height());
    image.setVerticalAlignment(QTextCharFormat::AlignBaseline);
    cursor_.insertImage(image);
}

void RtfDocumentBuilder::finish(const QTextBlockFormat& block, const QTextCharFormat& mark) {
    cursor_.setBlockFormat(block);
    if (cursor_.block().length() <= 1)
        cursor_.setBlockCharFormat(mark);
}

}  // namespace eh::rtf
