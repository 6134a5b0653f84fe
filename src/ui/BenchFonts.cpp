#include "ui/BenchFonts.h"

#include "rtf/FontSubstitution.h"

namespace eh {

QFont benchFont(const FontSpec& wanted) {
    QFont font(substituteFontFamily(QString::fromLatin1(wanted.family)));
    font.setPointSizeF(wanted.points);
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    return font;
}

QFont defaultBenchFont() {
    return benchFont(FontSpec{});
}

} // namespace eh
