// Paragraph numbering of the older kind: {\*\pn} groups and the number they give a
// paragraph. Writers often put the number they showed in {\pntext} too; that number
// wins, so that a paragraph never shows two.

#include "rtf/Charsets.h"
#include "rtf/RtfParser.h"

#include <algorithm>

namespace eh::rtf {

bool RtfParser::handleNumberingDestination(std::string_view word) {
    GroupState& s = state();
    if (word == "pn") {
        if (s.destination == Destination::Text) {
            s.destination = Destination::Numbering;
            s.para.numbering = {};
        } else {
            s.destination = Destination::Skip;
        }
    } else if (word == "pntxta" || word == "pntxtb") {
        if (s.destination == Destination::Numbering) {
            const bool after = word == "pntxta";
            s.destination = after ? Destination::NumberingAfter : Destination::NumberingBefore;
            (after ? s.para.numbering.after : s.para.numbering.before).clear();
        } else {
            s.destination = Destination::Skip;
        }
    } else if (word == "pntext" || word == "listtext") {
        s.numberText = true;
    } else {
        return false;
    }
    return true;
}

void RtfParser::handleNumberingWord(std::string_view word, bool hasParam, int param) {
    ParagraphNumbering& n = state().para.numbering;
    if (word == "pnlvlbody")
        n.level = NumberLevel::Body;
    else if (word == "pnlvlblt")
        n.level = NumberLevel::Bullet;
    else if (word == "pnlvlcont")
        n.level = NumberLevel::Continue;
    else if (word == "pndec")
        n.format = NumberFormat::Decimal;
    else if (word == "pnucltr")
        n.format = NumberFormat::UpperLetter;
    else if (word == "pnlcltr")
        n.format = NumberFormat::LowerLetter;
    else if (word == "pnucrm")
        n.format = NumberFormat::UpperRoman;
    else if (word == "pnlcrm")
        n.format = NumberFormat::LowerRoman;
    else if (word == "pnstart")
        n.start = hasParam ? std::clamp(param, 0, ParagraphNumbering::kMaxStart) : 1;
    else if (word == "pnf")
        n.font = hasParam ? param : -1;
}

void RtfParser::appendNumberingText(const QString& text) {
    GroupState& s = state();
    QString& affix =
        s.destination == Destination::NumberingAfter ? s.para.numbering.after : s.para.numbering.before;
    affix += text.left(ParagraphNumbering::kMaxAffixLength - affix.size());
}

void RtfParser::appendNumberingBytes(std::string_view bytes) {
    CharState chr = state().chr;
    if (state().para.numbering.font >= 0) chr.font = state().para.numbering.font;
    appendNumberingText(
        decodeBytes(QByteArray(bytes.data(), qsizetype(bytes.size())), tables_.codePageFor(chr)));
}

void RtfParser::startParagraphContent() {
    if (paragraphShown_) return;
    paragraphShown_ = true;
    const GroupState& s = state();
    if (s.numberText) return;
    const ParagraphNumbering& n = s.para.numbering;
    const QString number = numberText(n, numbering_.next(n));
    if (!number.isEmpty()) appendText(number);
}

} // namespace eh::rtf
