#include "rtf/RtfTokenizer.h"

#include <algorithm>
#include <climits>

namespace eh::rtf {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Control words are at most 32 letters long; longer runs are cut, not rejected.
constexpr qsizetype kMaxWordLength = 32;

} // namespace

RtfTokenizer::RtfTokenizer(const QByteArray& data) : data_(data.constData()), size_(data.size()) {}

RtfToken RtfTokenizer::next() {
    RtfToken tok;
    while (pos_ < size_) {
        const char c = data_[pos_];
        if (c == '{') {
            ++pos_;
            tok.kind = RtfToken::Kind::GroupStart;
            return tok;
        }
        if (c == '}') {
            ++pos_;
            tok.kind = RtfToken::Kind::GroupEnd;
            return tok;
        }
        if (c == '\\') return readControl();
        if (c == '\r' || c == '\n' || c == '\0') {
            ++pos_; // line ends and NULs carry no meaning in RTF
            continue;
        }
        const qsizetype start = pos_;
        while (pos_ < size_) {
            const char d = data_[pos_];
            if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n' || d == '\0') break;
            ++pos_;
        }
        tok.kind = RtfToken::Kind::Text;
        tok.word = std::string_view(data_ + start, static_cast<size_t>(pos_ - start));
        return tok;
    }
    tok.kind = RtfToken::Kind::End;
    return tok;
}

RtfToken RtfTokenizer::readControl() {
    RtfToken tok;
    ++pos_; // the backslash
    if (pos_ >= size_) {
        tok.kind = RtfToken::Kind::End;
        return tok;
    }
    const char c = data_[pos_];
    if (!isLetter(c)) {
        ++pos_;
        if (c == '\'') {
            const int hi = pos_ < size_ ? hexValue(data_[pos_]) : -1;
            const int lo = pos_ + 1 < size_ ? hexValue(data_[pos_ + 1]) : -1;
            if (hi >= 0 && lo >= 0) {
                pos_ += 2;
                tok.kind = RtfToken::Kind::HexByte;
                tok.byte = static_cast<unsigned char>(hi * 16 + lo);
                return tok;
            }
            // A malformed escape stands for nothing; what follows is read as usual.
            tok.kind = RtfToken::Kind::ControlSymbol;
            tok.symbol = '\'';
            return tok;
        }
        tok.kind = RtfToken::Kind::ControlSymbol;
        tok.symbol = (c == '\r' || c == '\n') ? '\n' : c;
        return tok;
    }
    const qsizetype start = pos_;
    while (pos_ < size_ && isLetter(data_[pos_])) ++pos_;
    tok.kind = RtfToken::Kind::ControlWord;
    tok.word = std::string_view(data_ + start, static_cast<size_t>(std::min(pos_ - start, kMaxWordLength)));
    bool negative = false;
    if (pos_ + 1 < size_ && data_[pos_] == '-' && isDigit(data_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < size_ && isDigit(data_[pos_])) {
        long long value = 0;
        while (pos_ < size_ && isDigit(data_[pos_])) {
            if (value <= INT_MAX) value = value * 10 + (data_[pos_] - '0');
            ++pos_;
        }
        if (value > INT_MAX) value = INT_MAX;
        tok.hasParam = true;
        tok.param = static_cast<int>(negative ? -value : value);
    }
    if (pos_ < size_ && data_[pos_] == ' ') ++pos_; // the delimiting blank belongs to the control word
    return tok;
}

std::string_view RtfTokenizer::takeBinary(std::int64_t count) {
    if (count <= 0) return {};
    const qsizetype available = size_ - pos_;
    const qsizetype n = count < available ? static_cast<qsizetype>(count) : available;
    std::string_view out(data_ + pos_, static_cast<size_t>(n));
    pos_ += n;
    return out;
}

} // namespace eh::rtf
