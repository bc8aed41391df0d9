#include "core/calendar/StockColors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

TEST(StockColorsTest, TableHasDistinctValuesAndNames) {
  std::set<uint32_t> values;
  std::set<std::string> names;
  for (const TStockColor& entry : CStockColors) {
    ASSERT_LE(std::strlen(entry.Name), 22u);
    values.insert(entry.Color);
    names.insert(entry.Name);
  }
  EXPECT_EQ(values.size(), 133u);
  EXPECT_EQ(names.size(), 133u);
  EXPECT_STREQ(CStockColors[0].Name, "Black");
  EXPECT_EQ(CStockColors[7].Color, RgbColor(0, 130, 130));
  EXPECT_STREQ(CStockColors[75].Name, "Red");
  EXPECT_EQ(CStockColors[75].Color, 0x0000D2u);
  EXPECT_STREQ(CStockColors[132].Name, "Light Pastel Green");
}

TEST(StockColorsTest, HintTextsAndNameLookups) {
  EXPECT_EQ(ToRgbValue(RgbColor(1, 2, 3)), 66051);
  EXPECT_EQ(ToRgbValue(0xFF000000u | RgbColor(1, 2, 3)), 66051);
  EXPECT_EQ(ColorToHintText(RgbColor(0, 130, 130)),
            " (RGB 0-130-130; Decimal = 33410; Hexadecimal = 0x008282)");
  EXPECT_EQ(ColorToHintText(RgbColor(1, 2, 3)),
            " (RGB 1-2-3; Decimal = 66051; Hexadecimal = 0x010203)");
  EXPECT_EQ(StockColorName(RgbColor(0, 130, 130)), "Teal");
  EXPECT_EQ(StockColorName(RgbColor(1, 2, 3)), "");

  uint32_t color = 7;
  EXPECT_TRUE(StockColorFromName("light pastel green", color));
  EXPECT_EQ(color, RgbColor(200, 255, 200));
  EXPECT_FALSE(StockColorFromName("Light Pastel Green ", color));
  EXPECT_EQ(color, RgbColor(200, 255, 200));
}
