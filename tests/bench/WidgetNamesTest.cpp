// The bench's widget ids and the window's widget names they stand for.
#include <gtest/gtest.h>

#include "bench/Widget.h"

using namespace eh;

TEST(WidgetNames, KnownNamesAtTheirPlacesAndEveryNameFindsItsId) {
    const std::pair<WidgetId, const char*> rows[] = {
        {WidgetId::Display_Fuente, "Display_Fuente"},
        {WidgetId::Led_Inter, "Led_Inter"},
        {WidgetId::Sube1, "Sube1"},
        {WidgetId::BajaT4, "BajaT4"},
        {WidgetId::Conmuta_EH, "Conmuta_EH"},
        {WidgetId::Timer_Iman2, "Timer_Iman2"},
    };
    for (const auto& [id, name] : rows) {
        EXPECT_EQ(widgetName(id), name);
        EXPECT_EQ(widgetIdFromName(name), id) << name;
    }
    EXPECT_EQ(kWidgetCount, 50u);
    for (std::size_t i = 0; i < kWidgetCount; ++i) {
        const auto id = static_cast<WidgetId>(i);
        EXPECT_EQ(widgetIdFromName(widgetName(id)), id) << i;
    }
    for (const char* unknown : {"", "sube1", "Sube6", "Count"})
        EXPECT_EQ(widgetIdFromName(unknown), std::nullopt);
}
