#include "core/calendar/ColorGrid.h"

#include <gtest/gtest.h>

#include "core/calendar/StockColors.h"

TEST(ColorGridTest, CellsOfThe400By350PanelAndTheMarkedCurrentColour) {
  const uint32_t teal = RgbColor(0, 130, 130);
  const TGridCell first = ColorGridCell(0, 400, 350, teal);
  EXPECT_EQ(first.Left, 5);
  EXPECT_EQ(first.Top, 5);
  EXPECT_EQ(first.Width, 30);
  EXPECT_EQ(first.Height, 26);
  const TGridCell marked = ColorGridCell(7, 400, 350, teal);
  EXPECT_TRUE(marked.Marked);
  EXPECT_EQ(marked.Left, 7 * 32 + 5);
  EXPECT_EQ(marked.Width, 22);
  EXPECT_EQ(marked.Height, 19);

  // Past the table the cells are black, and all black cells carry the mark when black is current.
  int markedBlack = 0;
  for (int k = 0; k < kColorGridCells; ++k) markedBlack += ColorGridCell(k, 400, 350, 0).Marked ? 1 : 0;
  EXPECT_EQ(markedBlack, 12);
  EXPECT_EQ(ColorGridCell(143, 400, 350, teal).Color, 0u);
}

TEST(ColorGridTest, HintsNameTheColourAndItsValues) {
  EXPECT_EQ(PanelColorHint(RgbColor(0, 130, 130)),
            "Teal (RGB 0-130-130; Decimal = 33410; Hexadecimal = 0x008282). (Double) Left click a color to open the "
            "stock-color dialog. Right click it to open the color dialog. Middle click it to set the default color.");
  EXPECT_EQ(GridCellHint(RgbColor(1, 2, 3)), " (RGB 1-2-3; Decimal = 66051; Hexadecimal = 0x010203)");
}
