#pragma once
// The properties an RTF group carries: where its text goes, the character format and
// the paragraph format. Each group starts as a copy of its parent's state.

#include "rtf/RtfNumbering.h"

#include <array>
#include <cstdint>

namespace eh::rtf {

enum class Destination : std::uint8_t {
    Text, // document text
    Skip, // a destination we do not show; everything inside is dropped
    FontTable,
    ColorTable,
    Picture,
    Object,          // an embedded object: only its result is shown
    Shape,           // a drawing shape or an old-style drawing object: only its text box is shown
    Numbering,       // {\*\pn}: how the paragraph is numbered
    NumberingBefore, // {\pntxtb}: text before the number
    NumberingAfter,  // {\pntxta}: text after the number
};

enum class Script : std::uint8_t { Normal, Super, Sub };

struct CharState {
    int font = -1; // font-table number; -1 is the document's default font
    int sizeHalfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    Script script = Script::Normal;
    int shiftHalfPoints = 0; // \up (positive) and \dn (negative)
    int color = 0;           // colour-table index; 0 is automatic
    int background = 0;

    bool operator==(const CharState&) const = default;
};

enum class ParaAlign : std::uint8_t { Left, Right, Center, Justify };

struct TabStop {
    int position = 0;      // twips
    std::uint8_t kind = 0; // 0 left, 1 right, 2 centre, 3 decimal
};

struct ParaState {
    static constexpr int kMaxTabs = 32;
    ParaAlign align = ParaAlign::Left;
    int leftIndent = 0; // twips, as are all lengths here
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0; // \sl: >0 at least, <0 exactly, 0 single
    bool lineMultiple = false;
    int tabCount = 0;
    std::array<TabStop, kMaxTabs> tabs{};
    std::uint8_t nextTabKind = 0;
    ParagraphNumbering numbering;
};

struct GroupState {
    Destination destination = Destination::Text;
    int unicodeSkip = 1;     // \uc: characters that stand in for each \u
    bool numberText = false; // inside {\pntext} or {\listtext}: the writer's own paragraph number
    bool boxText = false;    // inside the text of a text box
    // Inside a shape (\shp, \shpgrp): what the document held when the shape began, in
    // pieces; -1 outside shapes.
    std::int64_t shapeStart = -1;
    CharState chr;
    ParaState para;
};

} // namespace eh::rtf
