#pragma once
// The fixed layout of the bench window: every widget with its place in twips,
// relative to its container, and its static appearance.

#include <span>

#include <Qt>

#include "ui/common/WindowFonts.h"

namespace eh {

enum class WidgetKind { Panel, Frame, Button, LatchButton, Slider, List, Readout, Link, Led, Terminal, Icon };

struct LayoutColor {
    int r = -1, g = -1, b = -1;
    bool isSet() const { return r >= 0; }
};

struct LayoutItem {
    const char* name;
    const char* container; // "EH" for the window itself
    WidgetKind kind;
    int left, top, width, height; // twips
    const char* text = "";        // caption; for pictures the picture's name
    Qt::Alignment align = Qt::AlignLeft;
    FontChoice font = {};
    LayoutColor color = {}; // caption or text colour when not the kind's own
    LayoutColor background = {};
    int pictureWidth = 0, pictureHeight = 0; // pixels
};

inline constexpr const char* kWindowName = "EH";
inline constexpr int kClientWidthTwips = 11880;
inline constexpr int kClientHeightTwips = 8595;

// In creation order: every container comes before what it holds.
std::span<const LayoutItem> benchLayout();

} // namespace eh
