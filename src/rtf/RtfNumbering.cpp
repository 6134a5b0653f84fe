#include "rtf/RtfNumbering.h"

#include <algorithm>
#include <array>

namespace eh::rtf {

namespace {

constexpr int kMaxRoman = 3999;

QString roman(int value) {
    static constexpr std::array<std::pair<int, const char*>, 13> kSteps = {{
        {1000, "M"},
        {900, "CM"},
        {500, "D"},
        {400, "CD"},
        {100, "C"},
        {90, "XC"},
        {50, "L"},
        {40, "XL"},
        {10, "X"},
        {9, "IX"},
        {5, "V"},
        {4, "IV"},
        {1, "I"},
    }};
    QString out;
    for (const auto& [step, letters] : kSteps) {
        while (value >= step) {
            out += QLatin1String(letters);
            value -= step;
        }
    }
    return out;
}

// A..Z, then the letter repeated: AA..ZZ, AAA..
QString letters(int value) {
    const int repeat = (value - 1) / 26 + 1;
    return QString(repeat, QChar(u'A' + (value - 1) % 26));
}

} // namespace

QString formatNumber(int value, NumberFormat format) {
    if (value < 1) return QString::number(value);
    switch (format) {
    case NumberFormat::UpperLetter:
        return letters(value);
    case NumberFormat::LowerLetter:
        return letters(value).toLower();
    case NumberFormat::UpperRoman:
        return value <= kMaxRoman ? roman(value) : QString::number(value);
    case NumberFormat::LowerRoman:
        return value <= kMaxRoman ? roman(value).toLower() : QString::number(value);
    case NumberFormat::Decimal:
        break;
    }
    return QString::number(value);
}

int NumberingCounter::next(const ParagraphNumbering& numbering) const {
    return counting_ ? std::min(last_ + 1, ParagraphNumbering::kMaxStart) : numbering.start;
}

void NumberingCounter::paragraphEnded(const ParagraphNumbering& numbering, bool shown) {
    if (numbering.level == NumberLevel::Continue) return; // inside the list, without a number
    if (numbering.level != NumberLevel::Body) {
        counting_ = false;
        return;
    }
    if (!shown) return; // an empty paragraph shows no number and takes none
    last_ = next(numbering);
    counting_ = true;
}

QString numberText(const ParagraphNumbering& numbering, int value) {
    switch (numbering.level) {
    case NumberLevel::Body:
        return numbering.before + formatNumber(value, numbering.format) + numbering.after + u'\t';
    case NumberLevel::Bullet:
        return (numbering.before.isEmpty() ? QString(QChar(0x2022)) : numbering.before) + u'\t';
    case NumberLevel::Continue:
    case NumberLevel::None:
        break;
    }
    return {};
}

} // namespace eh::rtf
