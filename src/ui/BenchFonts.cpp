#include "ui/BenchFonts.h"

#include "rtf/FontSubstitution.h"

namespace eh {

QFont benchFont(const FontSpec& spec) {
    QFont font(substituteFontFamily(QString::fromLatin1(spec.family)));
    font.setPointSizeF(spec.points);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    return font;
}

QFont defaultBenchFont() { return benchFont(FontSpec{}); }

}  // namespace eh
