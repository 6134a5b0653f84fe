#include "ReadoutPattern.h"

namespace eh::soak {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Consumes a run of digits from the front of `text` and returns its length.
int takeDigits(std::string_view& text) {
    int n = 0;
    while (!text.empty() && isDigit(text.front())) {
        text.remove_prefix(1);
        ++n;
    }
    return n;
}

} // namespace

bool hasShape(std::string_view text, ReadoutShape shape, char separator) {
    if (!text.empty() && text.front() == '-') {
        if (!shape.allowNegative) return false;
        text.remove_prefix(1);
    }
    const int whole = takeDigits(text);
    if (whole < shape.intDigits || whole > shape.maxIntDigits) return false;
    if (shape.decimals == 0) return text.empty();
    if (text.empty() || text.front() != separator) return false;
    text.remove_prefix(1);
    return takeDigits(text) == shape.decimals && text.empty();
}

} // namespace eh::soak
