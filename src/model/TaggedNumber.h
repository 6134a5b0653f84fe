#pragma once
// A reading keeps the precision it was computed in: nothing yet, a 16-bit integer,
// a single or a double. Copies carry the tag along; empty counts as zero.

#include <cstdint>

namespace eh {

class TaggedNumber {
public:
    enum class Tag : std::uint8_t { Empty, Int16, Single, Double };

    TaggedNumber() = default;
    static TaggedNumber int16(std::int16_t v) { return {Tag::Int16, double{static_cast<double>(v)}}; }
    static TaggedNumber single(float v) { return {Tag::Single, v}; }
    static TaggedNumber dbl(double v) { return {Tag::Double, v}; }

    Tag tag() const { return tag_; }
    bool empty() const { return tag_ == Tag::Empty; }
    double value() const { return value_; } // exact for every tag
    float toSingle() const { return static_cast<float>(value_); }

    friend bool operator==(const TaggedNumber&, const TaggedNumber&) = default;

private:
    TaggedNumber(Tag t, double v) : tag_(t), value_(v) {}
    Tag tag_ = Tag::Empty;
    double value_ = 0.0;
};

} // namespace eh
