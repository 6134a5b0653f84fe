#include "rtf/RtfFormats.h"

#include "rtf/Charsets.h"
#include "rtf/FontSubstitution.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextOption>

namespace eh::rtf {

void RtfTables::addFont(int number, RtfFont font) {
    if (fonts_.size() < size_t(kMaxFonts) || fonts_.count(number)) fonts_[number] = std::move(font);
}

void RtfTables::addColor(const QColor& color) {
    if (colors_.size() < size_t(kMaxColors)) colors_.push_back(color);
}

const RtfFont* RtfTables::font(int number) const {
    auto it = fonts_.find(number < 0 ? defaultFont_ : number);
    if (it == fonts_.end()) it = fonts_.find(defaultFont_);
    return it == fonts_.end() ? nullptr : &it->second;
}

bool RtfTables::isSymbolFont(const CharState& chr) const {
    const RtfFont* f = font(chr.font);
    return f && isSymbolFontName(f->name);
}

int RtfTables::codePageFor(const CharState& chr) const {
    const RtfFont* f = font(chr.font);
    if (!f) return codePage_;
    if (isSymbolFontName(f->name)) return kSymbolCodePage;
    if (f->codePage > 0) return f->codePage;
    const int cp = codePageForCharset(f->charset, codePage_);
    // Other symbol-set fonts (Wingdings...) have no Unicode mapping: keep the bytes.
    return cp == kSymbolCodePage ? 28591 : cp;
}

QTextCharFormat RtfTables::charFormat(const CharState& chr) const {
    QTextCharFormat fmt;
    if (const RtfFont* f = font(chr.font); f && !f->name.isEmpty())
        fmt.setFontFamilies({substituteFontFamily(f->name)});
    const double points = chr.sizeHalfPoints / 2.0;
    fmt.setFontPointSize(points);
    fmt.setFontWeight(chr.bold ? QFont::Bold : QFont::Normal);
    fmt.setFontItalic(chr.italic);
    fmt.setFontUnderline(chr.underline);
    fmt.setFontStrikeOut(chr.strikeOut);
    if (chr.script == Script::Super)
        fmt.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (chr.script == Script::Sub)
        fmt.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    else if (chr.shiftHalfPoints != 0) // a percentage of the font's height
        fmt.setBaselineOffset(100.0 * chr.shiftHalfPoints / chr.sizeHalfPoints);
    if (chr.color > 0 && size_t(chr.color) < colors_.size() && colors_[size_t(chr.color)].isValid())
        fmt.setForeground(colors_[size_t(chr.color)]);
    if (chr.background > 0 && size_t(chr.background) < colors_.size() &&
        colors_[size_t(chr.background)].isValid())
        fmt.setBackground(colors_[size_t(chr.background)]);
    return fmt;
}

QTextBlockFormat RtfTables::blockFormat(const ParaState& para, double dpi) {
    const double px = dpi / 1440.0;
    QTextBlockFormat fmt;
    switch (para.align) {
    case ParaAlign::Left:
        fmt.setAlignment(Qt::AlignLeft);
        break;
    case ParaAlign::Right:
        fmt.setAlignment(Qt::AlignRight);
        break;
    case ParaAlign::Center:
        fmt.setAlignment(Qt::AlignHCenter);
        break;
    case ParaAlign::Justify:
        fmt.setAlignment(Qt::AlignJustify);
        break;
    }
    fmt.setLeftMargin(para.leftIndent * px);
    fmt.setRightMargin(para.rightIndent * px);
    fmt.setTextIndent(para.firstIndent * px);
    fmt.setTopMargin(para.spaceBefore * px);
    fmt.setBottomMargin(para.spaceAfter * px);
    if (para.lineMultiple && para.lineSpacing > 0)
        fmt.setLineHeight(100.0 * para.lineSpacing / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (para.lineSpacing > 0)
        fmt.setLineHeight(para.lineSpacing * px, QTextBlockFormat::MinimumHeight);
    else if (para.lineSpacing < 0)
        fmt.setLineHeight(-para.lineSpacing * px, QTextBlockFormat::FixedHeight);
    // A hanging indent ends at an implicit tab stop, as word processors place it.
    const bool hanging = para.firstIndent < 0 && para.leftIndent > 0 &&
                         (para.tabCount == 0 || para.tabs[0].position > para.leftIndent);
    if (para.tabCount > 0 || hanging) {
        QList<QTextOption::Tab> tabs;
        if (hanging) tabs.append(QTextOption::Tab(para.leftIndent * px, QTextOption::LeftTab));
        for (int i = 0; i < para.tabCount; ++i) {
            const TabStop& t = para.tabs[size_t(i)];
            static constexpr QTextOption::TabType kinds[] = {QTextOption::LeftTab, QTextOption::RightTab,
                                                             QTextOption::CenterTab,
                                                             QTextOption::DelimiterTab};
            tabs.append(
                QTextOption::Tab(t.position * px, kinds[t.kind & 3], t.kind == 3 ? QChar(u'.') : QChar()));
        }
        fmt.setTabPositions(tabs);
    }
    return fmt;
}

double documentDpi() {
    if (qGuiApp) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const double dpi = screen->logicalDotsPerInchY();
            if (dpi > 0) return dpi;
        }
    }
    return 96.0;
}

} // namespace eh::rtf
