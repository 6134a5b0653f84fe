#pragma once
// The font and colour tables of an RTF document, and the translation of group state
// into Qt character and block formats.

#include "rtf/RtfState.h"

#include <QColor>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <map>
#include <vector>

namespace eh::rtf {

struct RtfFont {
    QString name;
    int charset = 0;
    int codePage = 0; // \cpg; 0 when the character set decides
};

class RtfTables {
public:
    static constexpr int kMaxFonts = 4096;
    static constexpr int kMaxColors = 4096;

    void addFont(int number, RtfFont font);
    // Appends a colour-table entry; an invalid colour is the "automatic" entry.
    void addColor(const QColor& color);
    void setDefaultFont(int number) { defaultFont_ = number; }
    void setCodePage(int codePage) { codePage_ = codePage; }
    int codePage() const { return codePage_; }

    // The font of `number`, falling back to the default font; null when neither exists.
    const RtfFont* font(int number) const;
    // The code page that \'hh bytes in this character state are read in.
    int codePageFor(const CharState& chr) const;
    bool isSymbolFont(const CharState& chr) const;

    QTextCharFormat charFormat(const CharState& chr) const;
    // Lengths are converted from twips at `dpi` document pixels per inch.
    static QTextBlockFormat blockFormat(const ParaState& para, double dpi);

private:
    std::map<int, RtfFont> fonts_;
    std::vector<QColor> colors_;
    int defaultFont_ = 0;
    int codePage_ = 1252;
};

// Pixels per inch of the document: the screen's logical resolution, which is also what
// QTextDocument converts point sizes with.
double documentDpi();

} // namespace eh::rtf
