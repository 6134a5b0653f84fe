#pragma once
// Paragraph numbering of the older kind (\pn): what a numbered or bulleted paragraph
// asks for, the text of its number, and the count that runs over a list's paragraphs.

#include <QString>

#include <cstdint>

namespace eh::rtf {

enum class NumberLevel : std::uint8_t {
    None,     // not numbered
    Body,     // \pnlvlbody: numbered, counting on from the paragraph before
    Bullet,   // \pnlvlblt
    Continue, // \pnlvlcont: inside the list, without a number of its own
};

enum class NumberFormat : std::uint8_t { Decimal, UpperLetter, LowerLetter, UpperRoman, LowerRoman };

struct ParagraphNumbering {
    static constexpr int kMaxStart = 32767;
    static constexpr int kMaxAffixLength = 32; // characters of \pntxtb and \pntxta

    NumberLevel level = NumberLevel::None;
    NumberFormat format = NumberFormat::Decimal;
    int start = 1;  // \pnstart
    int font = -1;  // \pnf: the font the bullet or the affixes are written in
    QString before; // \pntxtb
    QString after;  // \pntxta
};

// `value` written in `format`: 4 as "4", "D", "d", "IV" or "iv". Letters run A..Z, then
// AA..ZZ, AAA..; Roman numerals stop at 3999; values below 1 are written as decimals.
QString formatNumber(int value, NumberFormat format);

// The count of a list's numbered paragraphs. A numbered paragraph continues the count of
// the numbered paragraph just before it and starts at its own \pnstart otherwise;
// a paragraph inside the list without a number keeps the count going.
class NumberingCounter {
public:
    // The number the next paragraph with `numbering` gets.
    int next(const ParagraphNumbering& numbering) const;
    // A paragraph with `numbering` has ended; `shown` says whether it held anything.
    void paragraphEnded(const ParagraphNumbering& numbering, bool shown);

private:
    bool counting_ = false;
    int last_ = 0;
};

// The text shown before a paragraph's content: "1.\t", "(a)\t", "•\t"; empty when the
// paragraph has no number.
QString numberText(const ParagraphNumbering& numbering, int value);

} // namespace eh::rtf
