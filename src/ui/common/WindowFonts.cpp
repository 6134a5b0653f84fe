#include "ui/common/WindowFonts.h"

#include "rtf/FontSubstitution.h"

namespace eh {

QFont windowFont(const FontChoice& wanted) {
    QFont font(substituteFontFamily(QString::fromLatin1(wanted.family)));
    font.setPointSizeF(wanted.points);
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    return font;
}

QFont defaultWindowFont() {
    return windowFont(FontChoice{});
}

} // namespace eh
