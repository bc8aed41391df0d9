#include "core/settings/OptionsRules.h"

#include <gtest/gtest.h>

TEST(OptionsRulesTest, WindowPositionFallsBackToTheWorkAreaCorner) {
  const TWorkAreaBounds desktop{0, 0, 1280, 1004};
  EXPECT_EQ(ClampWindowPosition(desktop, {354, 122}).X, 354);
  EXPECT_EQ(ClampWindowPosition(desktop, {1152, 903}).X, 1152);
  EXPECT_EQ(ClampWindowPosition(desktop, {1152, 903}).Y, 903);
  EXPECT_EQ(ClampWindowPosition(desktop, {1153, 904}).X, 0);
  EXPECT_EQ(ClampWindowPosition(desktop, {1153, 904}).Y, 0);
  // 0.9 of the right coordinate itself (1800), not of the width (which would allow 1900).
  const TWorkAreaBounds second{1000, 50, 2000, 1000};
  EXPECT_EQ(ClampWindowPosition(second, {1850, 60}).X, 1000);
  EXPECT_EQ(ClampWindowPosition(second, {999, 60}).X, 1000);
  EXPECT_EQ(ClampWindowPosition(second, {1700, 49}).X, 1700);
  EXPECT_EQ(ClampWindowPosition(second, {1700, 49}).Y, 50);
}

TEST(OptionsRulesTest, PlacementKeepsTheRectInsideTheArea) {
  const TPlacementRect current{0.7, 0.15, 0.1, 0.2};
  TPlacementRect placed = ClampPlacementRect({0.7, 0.15, 0, -1}, current);
  EXPECT_DOUBLE_EQ(placed.Width, 0.1);
  EXPECT_DOUBLE_EQ(placed.Height, 0.2);
  placed = ClampPlacementRect({0.7, 0.15, 1.5, 0.5}, current);
  EXPECT_DOUBLE_EQ(placed.Width, 1);
  EXPECT_DOUBLE_EQ(placed.Left, 0);
  EXPECT_DOUBLE_EQ(placed.Top, 0.15);
  placed = ClampPlacementRect({-0.2, 0.95, 0.1, 0.1}, current);
  EXPECT_DOUBLE_EQ(placed.Left, 0);
  EXPECT_DOUBLE_EQ(placed.Top, 0.9);
}

TEST(OptionsRulesTest, ComboSelectionByTextThenFallbackThenFirst) {
  const std::vector<std::string> items{"A", "B", "C"};
  EXPECT_EQ(SelectComboIndex(items, "b", "C"), 1);
  EXPECT_EQ(SelectComboIndex(items, "Z", "c"), 2);
  EXPECT_EQ(SelectComboIndex(items, "", "C"), 2);
  EXPECT_EQ(SelectComboIndex(items, "Z", ""), 0);
  EXPECT_EQ(SelectComboIndex(items, "", ""), 0);
  EXPECT_EQ(SelectComboIndex({}, "A", "B"), -1);
}
