// Drawing shapes (\shp) and old-style drawing objects (\do): their properties are never
// text; the text of their text boxes is shown where the shape stands, in paragraphs of
// its own. The paragraph around the box goes on after it as if the box were not there:
// its number and the count of its list are kept.

#include "rtf/RtfParser.h"

namespace eh::rtf {

bool RtfParser::handleShapeDestination(std::string_view word) {
    GroupState& s = state();
    const bool shown = s.destination == Destination::Text || s.destination == Destination::Shape;
    if (word == "shp" || word == "shpgrp") {
        if (shown) {
            flushText();
            s.shapeStart = builder_.pieces();
        }
    } else if (word == "shpinst" || word == "do") {
        s.destination = shown ? Destination::Shape : Destination::Skip;
    } else if (word == "shptxt" || word == "dptxbxtext") {
        if (s.destination == Destination::Shape) {
            s.destination = Destination::Text;
            if (!s.boxText) enterBoxText();
            s.boxText = true;
            s.para.numbering = {}; // the box is not part of a list it stands in
        } else {
            s.destination = Destination::Skip;
        }
    } else if (word == "shprslt") {
        // The shape drawn for readers that know no shapes: its text boxes again, as
        // old-style drawing objects. Shown only when the shape itself showed nothing.
        flushText();
        if (s.shapeStart >= 0 && builder_.pieces() > s.shapeStart) s.destination = Destination::Skip;
    } else {
        return false;
    }
    return true;
}

void RtfParser::breakParagraph() {
    flushText();
    if (!builder_.paragraphEmpty())
        builder_.endParagraph(RtfTables::blockFormat(state().para, dpi_), tables_.charFormat(state().chr));
}

void RtfParser::enterBoxText() {
    breakParagraph();
    anchor_ = {numbering_, paragraphShown_};
    numbering_ = {};
    paragraphShown_ = false;
}

void RtfParser::leaveBoxText() {
    breakParagraph();
    numbering_ = anchor_.numbering;
    paragraphShown_ = anchor_.shown;
}

} // namespace eh::rtf
