#include "rtf/RtfParser.h"

#include "rtf/Charsets.h"

#include <algorithm>

namespace eh::rtf {

namespace {

// The destinations that describe a paragraph's number; what they set belongs to the
// group around them.
bool isNumbering(Destination d) {
    return d == Destination::Numbering || d == Destination::NumberingBefore ||
           d == Destination::NumberingAfter;
}

} // namespace

RtfParser::RtfParser(const QByteArray& data, QTextDocument& doc)
    : tokenizer_(data), builder_(doc), dpi_(documentDpi()) {}

bool RtfParser::parse() {
    bool closed = false;
    bool tooDeep = false;
    while (!closed && !tooDeep && !builder_.full()) {
        const RtfToken tok = tokenizer_.next();
        if (tok.kind == RtfToken::Kind::End) break;
        if (stack_.empty() && tok.kind != RtfToken::Kind::GroupStart)
            continue; // nothing counts outside the document's group
        switch (tok.kind) {
        case RtfToken::Kind::GroupStart:
            if (stack_.size() >= size_t(kMaxDepth))
                tooDeep = true;
            else
                openGroup();
            break;
        case RtfToken::Kind::GroupEnd:
            if (stack_.size() == 1) finishDocument();
            closeGroup();
            closed = stack_.empty();
            break;
        case RtfToken::Kind::ControlWord:
            if (tok.word == "bin") {
                // Raw bytes follow; never more than the input still holds.
                const std::string_view bytes = tokenizer_.takeBinary(tok.hasParam ? tok.param : 0);
                if (state().destination == Destination::Picture) picture_.appendBinary(bytes);
                ignorableNext_ = false;
            } else {
                handleWord(tok.word, tok.hasParam, tok.param);
            }
            break;
        case RtfToken::Kind::ControlSymbol:
            handleSymbol(tok.symbol);
            break;
        case RtfToken::Kind::Text:
            handleText(tok.word);
            break;
        case RtfToken::Kind::HexByte:
            handleByte(tok.byte);
            break;
        case RtfToken::Kind::End:
            break;
        }
    }
    if (!closed && !stack_.empty()) finishDocument();
    if (tooDeep)
        error_ = QStringLiteral("tiene grupos anidados a más de %1 niveles").arg(kMaxDepth);
    else if (builder_.full())
        error_ = QStringLiteral("es demasiado largo y se ha omitido el resto");
    else if (!closed)
        error_ = QStringLiteral("se corta antes de su final");
    return error_.isEmpty();
}

void RtfParser::openGroup() {
    skipCount_ = 0;
    ignorableNext_ = false;
    stack_.push_back(stack_.empty() ? GroupState{} : state());
}

void RtfParser::closeGroup() {
    skipCount_ = 0;
    ignorableNext_ = false;
    const GroupState closing = state();
    if (closing.destination == Destination::FontTable) commitFont();
    const GroupState* parent = stack_.size() >= 2 ? &stack_[stack_.size() - 2] : nullptr;
    if (closing.boxText && parent && !parent->boxText) leaveBoxText();
    stack_.pop_back();
    if (isNumbering(closing.destination) && !stack_.empty()) state().para.numbering = closing.para.numbering;
    if (closing.destination == Destination::Picture &&
        (stack_.empty() || state().destination != Destination::Picture)) {
        if (!stack_.empty()) finishPicture();
    }
}

void RtfParser::handleText(std::string_view text) {
    ignorableNext_ = false;
    while (skipCount_ > 0 && !text.empty()) {
        --skipCount_;
        text.remove_prefix(1);
    }
    if (text.empty()) return;
    GroupState& s = state();
    switch (s.destination) {
    case Destination::Text: {
        if (s.chr.hidden) return;
        startParagraphContent();
        const int cp = tables_.codePageFor(s.chr);
        if (!(s.chr == pendingFormat_) || cp != pendingCodePage_) {
            if (!pendingBytes_.isEmpty())
                pendingText_ += decodeBytes(std::exchange(pendingBytes_, {}), pendingCodePage_);
            if (!(s.chr == pendingFormat_)) flushText();
            pendingFormat_ = s.chr;
            pendingCodePage_ = cp;
        }
        pendingBytes_.append(text.data(), qsizetype(text.size()));
        break;
    }
    case Destination::FontTable:
        for (char c : text) {
            if (c == ';')
                commitFont();
            else
                fontEntry_.name += decodeBytes(QByteArray(1, c), tables_.codePage());
        }
        break;
    case Destination::ColorTable:
        for (char c : text) {
            if (c == ';') {
                tables_.addColor(colorSet_ ? colorEntry_ : QColor());
                colorEntry_ = QColor(0, 0, 0);
                colorSet_ = false;
            }
        }
        break;
    case Destination::Picture:
        picture_.appendHex(text);
        break;
    case Destination::NumberingBefore:
    case Destination::NumberingAfter:
        appendNumberingBytes(text);
        break;
    case Destination::Skip:
    case Destination::Object:
    case Destination::Shape:
    case Destination::Numbering:
        break;
    }
}

void RtfParser::handleByte(unsigned char byte) {
    const char c = char(byte);
    handleText(std::string_view(&c, 1));
    if (state().destination == Destination::Picture)
        picture_.broken = true; // picture data is hex digits, never escapes
}

void RtfParser::appendText(const QString& text) {
    GroupState& s = state();
    if (s.destination == Destination::FontTable) {
        fontEntry_.name += text;
        return;
    }
    if (s.destination == Destination::NumberingBefore || s.destination == Destination::NumberingAfter) {
        appendNumberingText(text);
        return;
    }
    if (s.destination != Destination::Text || s.chr.hidden) return;
    startParagraphContent();
    if (!pendingBytes_.isEmpty())
        pendingText_ += decodeBytes(std::exchange(pendingBytes_, {}), pendingCodePage_);
    if (!(s.chr == pendingFormat_)) {
        flushText();
        pendingFormat_ = s.chr;
        pendingCodePage_ = tables_.codePageFor(s.chr);
    }
    pendingText_ += text;
}

void RtfParser::appendUnicode(int code) {
    if (code < 0) code += 65536; // RTF writes \u as a signed 16-bit number
    if (code < 0 || code > 0xFFFF) return;
    // Word gives Symbol-font characters as U+F0xx.
    if (code >= 0xF020 && code <= 0xF0FF && tables_.isSymbolFont(state().chr))
        code = symbolToUnicode(static_cast<unsigned char>(code - 0xF000));
    appendText(QString(QChar(char16_t(code))));
}

void RtfParser::flushText() {
    if (!pendingBytes_.isEmpty())
        pendingText_ += decodeBytes(std::exchange(pendingBytes_, {}), pendingCodePage_);
    if (!pendingText_.isEmpty())
        builder_.insertText(std::exchange(pendingText_, {}), tables_.charFormat(pendingFormat_));
}

void RtfParser::finishDocument() {
    flushText();
    builder_.finish(RtfTables::blockFormat(state().para, dpi_), tables_.charFormat(state().chr));
}

void RtfParser::endParagraph() {
    flushText();
    numbering_.paragraphEnded(state().para.numbering, std::exchange(paragraphShown_, false));
    builder_.endParagraph(RtfTables::blockFormat(state().para, dpi_), tables_.charFormat(state().chr));
}

void RtfParser::commitFont() {
    if (fontNumber_ >= 0)
        tables_.addFont(fontNumber_, {fontEntry_.name.trimmed(), fontEntry_.charset, fontEntry_.codePage});
    fontNumber_ = -1;
    fontEntry_ = {};
}

void RtfParser::finishPicture() {
    RtfPicture picture = std::exchange(picture_, {});
    if (state().destination != Destination::Text) return;
    startParagraphContent(); // a numbered paragraph may begin with a picture
    flushText();
    if (const auto image = decodePicture(picture, dpi_, pictureBudget_))
        builder_.insertImage(*image, tables_.charFormat(state().chr),
                             state().chr.shiftHalfPoints / 2.0 * dpi_ / 72.0, pictureBudget_.pixels);
}

} // namespace eh::rtf
