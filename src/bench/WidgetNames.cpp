#include "bench/Widget.h"

#include <array>

namespace eh {
namespace {

constexpr std::array<std::string_view, kWidgetCount> kNames = {
#define TARVELO_WIDGET_NAME(name) #name,
    TARVELO_BENCH_WIDGETS(TARVELO_WIDGET_NAME)
#undef TARVELO_WIDGET_NAME
};

} // namespace

std::string_view widgetName(WidgetId id) {
    return kNames.at(static_cast<std::size_t>(id));
}

std::optional<WidgetId> widgetIdFromName(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return static_cast<WidgetId>(i);
    return std::nullopt;
}

} // namespace eh
