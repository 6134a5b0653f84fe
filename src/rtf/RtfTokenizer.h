#pragma once
// Splits RTF text into groups, control words, control symbols, hex escapes and plain
// text. It never looks further than the data it was given and never allocates per
// token: words and text are views into the input.

#include <QByteArray>

#include <cstdint>
#include <string_view>

namespace eh::rtf {

struct RtfToken {
    enum class Kind { GroupStart, GroupEnd, ControlWord, ControlSymbol, Text, HexByte, End };
    Kind kind = Kind::End;
    std::string_view word; // ControlWord: the letters; Text: the run of plain bytes
    bool hasParam = false;
    int param = 0;          // clamped to the int range
    char symbol = 0;        // ControlSymbol
    unsigned char byte = 0; // HexByte
};

class RtfTokenizer {
public:
    explicit RtfTokenizer(const QByteArray& data);

    RtfToken next();
    // The raw bytes that follow \binN: at most `count` bytes, fewer at the end of input.
    std::string_view takeBinary(std::int64_t count);
    bool atEnd() const { return pos_ >= size_; }
    qsizetype position() const { return pos_; }

private:
    RtfToken readControl();

    const char* data_;
    qsizetype size_;
    qsizetype pos_ = 0;
};

} // namespace eh::rtf
