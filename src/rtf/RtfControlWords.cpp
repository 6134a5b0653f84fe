// Control words and control symbols of the RTF parser, by destination.

#include "rtf/RtfParser.h"

#include <algorithm>
#include <array>

namespace eh::rtf {

namespace {

using namespace std::string_view_literals;

// Destinations that hold nothing to show, skipped whole even without \*.
constexpr std::array kSkippedDestinations = {
    "info"sv,
    "stylesheet"sv,
    "header"sv,
    "headerl"sv,
    "headerr"sv,
    "headerf"sv,
    "footer"sv,
    "footerl"sv,
    "footerr"sv,
    "footerf"sv,
    "footnote"sv,
    "annotation"sv,
    "atnid"sv,
    "atnauthor"sv,
    "fldinst"sv,
    "objdata"sv,
    "objclass"sv,
    "objname"sv,
    "objalias"sv,
    "objsect"sv,
    "objitem"sv,
    "objtopic"sv,
    "nonshppict"sv,
    "listtable"sv,
    "listoverridetable"sv,
    "revtbl"sv,
    "rsidtbl"sv,
    "filetbl"sv,
    "template"sv,
    "private"sv,
    "xe"sv,
    "tc"sv,
    "txe"sv,
    "rxe"sv,
    "comment"sv,
    "author"sv,
    "title"sv,
    "subject"sv,
    "keywords"sv,
    "operator"sv,
    "creatim"sv,
    "revtim"sv,
    "printim"sv,
    "buptim"sv,
    "doccomm"sv,
    "generator"sv,
    "themedata"sv,
    "colorschememapping"sv,
    "latentstyles"sv,
    "datastore"sv,
    "xmlnstbl"sv,
    "mmathPr"sv,
    "pgdsctbl"sv,
    "picprop"sv,
    "blipuid"sv,
    "bkmkstart"sv,
    "bkmkend"sv,
    "userprops"sv,
    "wgrffmtfilter"sv,
    "fchars"sv,
    "lchars"sv,
    "pnseclvl"sv,
    "ftnsep"sv,
    "ftnsepc"sv,
    "ftncn"sv,
    "aftnsep"sv,
    "aftnsepc"sv,
    "aftncn"sv,
    "falt"sv,
    "panose"sv,
    "fname"sv,
    "pgptbl"sv,
    "listpicture"sv,
    "ud"sv,
    "sp"sv, // a shape's property: name and value are never text
};

template <size_t N> bool contains(const std::array<std::string_view, N>& list, std::string_view word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

// Lengths in twips are kept within a page's reach.
int twips(bool hasParam, int param) {
    return hasParam ? std::clamp(param, -31680, 31680) : 0;
}

} // namespace

void RtfParser::handleSymbol(char symbol) {
    if (skipCount_ > 0) {
        --skipCount_;
        return;
    }
    ignorableNext_ = symbol == '*';
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        appendText(QString(QChar(symbol)));
        break;
    case '~':
        appendText(QString(QChar(0x00A0)));
        break;
    case '-':
        appendText(QString(QChar(0x00AD)));
        break;
    case '_':
        appendText(QString(QChar(0x2011)));
        break;
    case '\n':
        if (state().destination == Destination::Text) endParagraph();
        break;
    default:
        break; // \| \: and malformed \' escapes show nothing
    }
}

void RtfParser::handleWord(std::string_view word, bool hasParam, int param) {
    if (skipCount_ > 0) {
        --skipCount_;
        return;
    }
    if (handleDestination(word)) return;
    GroupState& s = state();
    if (s.destination == Destination::Skip) return;
    if (word == "u") {
        appendUnicode(param);
        skipCount_ = s.unicodeSkip;
        return;
    }
    if (word == "uc") {
        s.unicodeSkip = std::clamp(param, 0, 16);
        return;
    }
    if (word == "ansicpg") {
        if (param > 0) tables_.setCodePage(param);
    } else if (word == "ansi") {
        tables_.setCodePage(1252);
    } else if (word == "mac") {
        tables_.setCodePage(10000);
    } else if (word == "pc") {
        tables_.setCodePage(437);
    } else if (word == "pca") {
        tables_.setCodePage(850);
    } else if (word == "deff") {
        tables_.setDefaultFont(param);
    }
    switch (s.destination) {
    case Destination::FontTable:
    case Destination::ColorTable:
        handleTableWord(word, hasParam, param);
        break;
    case Destination::Picture:
        handlePictureWord(word, hasParam, param);
        break;
    case Destination::Text:
    case Destination::Object:
    case Destination::Shape:
        if (!handleCharacterWord(word, hasParam, param) && !handleParagraphWord(word, hasParam, param) &&
            s.destination == Destination::Text)
            handleSpecialCharacter(word);
        break;
    case Destination::Numbering:
    case Destination::NumberingBefore:
    case Destination::NumberingAfter:
        handleNumberingWord(word, hasParam, param);
        break;
    case Destination::Skip:
        break;
    }
}

bool RtfParser::handleDestination(std::string_view word) {
    const bool ignorable = std::exchange(ignorableNext_, false);
    GroupState& s = state();
    if (s.destination == Destination::Skip) return false;
    if (word == "fonttbl") {
        s.destination = Destination::FontTable;
        fontNumber_ = -1;
    } else if (word == "colortbl") {
        s.destination = Destination::ColorTable;
        colorEntry_ = QColor(0, 0, 0);
        colorSet_ = false;
    } else if (word == "pict") {
        s.destination = s.destination == Destination::Text ? Destination::Picture : Destination::Skip;
        picture_ = {};
    } else if (word == "object") {
        s.destination = s.destination == Destination::Text ? Destination::Object : Destination::Skip;
    } else if (word == "result") {
        if (s.destination == Destination::Object) s.destination = Destination::Text;
    } else if (word == "shppict" || handleShapeDestination(word) || handleNumberingDestination(word)) {
        // \shppict: a picture in its modern form, shown like the text around it. Shapes
        // and numbering set their destinations themselves.
    } else if (ignorable || contains(kSkippedDestinations, word)) {
        s.destination = Destination::Skip;
    } else {
        return false;
    }
    return true;
}

void RtfParser::handleTableWord(std::string_view word, bool hasParam, int param) {
    if (state().destination == Destination::FontTable) {
        if (word == "f" && hasParam) {
            commitFont();
            fontNumber_ = param;
        } else if (word == "fcharset") {
            fontEntry_.charset = param;
        } else if (word == "cpg") {
            fontEntry_.codePage = param;
        }
        return;
    }
    const int value = std::clamp(param, 0, 255);
    if (word == "red")
        colorEntry_.setRed(value);
    else if (word == "green")
        colorEntry_.setGreen(value);
    else if (word == "blue")
        colorEntry_.setBlue(value);
    else
        return;
    colorSet_ = true;
}

void RtfParser::handlePictureWord(std::string_view word, bool hasParam, int param) {
    const int value = hasParam ? param : 0;
    using F = RtfPicture::Format;
    if (word == "picw")
        picture_.width = value;
    else if (word == "pich")
        picture_.height = value;
    else if (word == "picwgoal")
        picture_.goalWidth = value;
    else if (word == "pichgoal")
        picture_.goalHeight = value;
    else if (word == "picscalex")
        picture_.scaleX = value;
    else if (word == "picscaley")
        picture_.scaleY = value;
    else if (word == "pngblip")
        picture_.format = F::Png;
    else if (word == "jpegblip")
        picture_.format = F::Jpeg;
    else if (word == "wmetafile")
        picture_.format = F::Wmf;
    else if (word == "dibitmap")
        picture_.format = F::Dib;
    else if (word == "emfblip" || word == "macpict" || word == "pmmetafile" || word == "wbitmap")
        picture_.format = F::Unsupported;
}

bool RtfParser::handleCharacterWord(std::string_view word, bool hasParam, int param) {
    CharState& c = state().chr;
    const bool on = !hasParam || param != 0;
    if (word == "plain")
        c = CharState{};
    else if (word == "b")
        c.bold = on;
    else if (word == "i")
        c.italic = on;
    else if (word == "ulnone")
        c.underline = false;
    else if (word.substr(0, 2) == "ul" && word != "ulc")
        c.underline = on;
    else if (word == "strike" || word == "striked")
        c.strikeOut = on;
    else if (word == "v")
        c.hidden = on;
    else if (word == "f")
        c.font = hasParam ? param : -1;
    else if (word == "fs")
        c.sizeHalfPoints = hasParam ? std::clamp(param, 2, 800) : 24;
    else if (word == "super")
        c.script = Script::Super;
    else if (word == "sub")
        c.script = Script::Sub;
    else if (word == "nosupersub")
        c.script = Script::Normal;
    else if (word == "up")
        c.shiftHalfPoints = hasParam ? std::clamp(param, -200, 200) : 6;
    else if (word == "dn")
        c.shiftHalfPoints = -(hasParam ? std::clamp(param, -200, 200) : 6);
    else if (word == "cf")
        c.color = param;
    else if (word == "cb" || word == "highlight" || word == "chcbpat")
        c.background = param;
    else
        return false;
    return true;
}

bool RtfParser::handleParagraphWord(std::string_view word, bool hasParam, int param) {
    ParaState& p = state().para;
    const bool text = state().destination == Destination::Text;
    if (word == "par" || word == "page" || word == "sect" || word == "row") {
        if (text) endParagraph();
    } else if (word == "cell" || word == "nestcell") {
        if (text) appendText(QStringLiteral("\t"));
    } else if (word == "pard") {
        p = ParaState{};
    } else if (word == "ql") {
        p.align = ParaAlign::Left;
    } else if (word == "qr") {
        p.align = ParaAlign::Right;
    } else if (word == "qc") {
        p.align = ParaAlign::Center;
    } else if (word == "qj" || word == "qd") {
        p.align = ParaAlign::Justify;
    } else if (word == "li") {
        p.leftIndent = twips(hasParam, param);
    } else if (word == "ri") {
        p.rightIndent = twips(hasParam, param);
    } else if (word == "fi") {
        p.firstIndent = twips(hasParam, param);
    } else if (word == "sb") {
        p.spaceBefore = std::max(0, twips(hasParam, param));
    } else if (word == "sa") {
        p.spaceAfter = std::max(0, twips(hasParam, param));
    } else if (word == "sl") {
        p.lineSpacing = twips(hasParam, param);
    } else if (word == "slmult") {
        p.lineMultiple = hasParam && param != 0;
    } else if (word == "tqr" || word == "tqc" || word == "tqdec") {
        p.nextTabKind = word == "tqr" ? 1 : word == "tqc" ? 2 : 3;
    } else if (word == "tx" || word == "tb") {
        if (p.tabCount < ParaState::kMaxTabs)
            p.tabs[size_t(p.tabCount++)] = {std::max(0, twips(hasParam, param)), p.nextTabKind};
        p.nextTabKind = 0;
    } else {
        return false;
    }
    return true;
}

bool RtfParser::handleSpecialCharacter(std::string_view word) {
    static constexpr std::array<std::pair<std::string_view, char16_t>, 17> kCharacters = {{
        {"tab", u'\t'},
        {"line", 0x2028},
        {"emdash", 0x2014},
        {"endash", 0x2013},
        {"bullet", 0x2022},
        {"lquote", 0x2018},
        {"rquote", 0x2019},
        {"ldblquote", 0x201C},
        {"rdblquote", 0x201D},
        {"emspace", 0x2003},
        {"enspace", 0x2002},
        {"qmspace", 0x2005},
        {"zwj", 0x200D},
        {"zwnj", 0x200C},
        {"ltrmark", 0x200E},
        {"rtlmark", 0x200F},
        {"zwbo", 0x200B},
    }};
    for (const auto& [name, ch] : kCharacters) {
        if (name == word) {
            appendText(QString(QChar(ch)));
            return true;
        }
    }
    return false;
}

} // namespace eh::rtf
