#include "core/calendar/ColorGrid.h"

#include "core/calendar/StockColors.h"

TGridCell ColorGridCell(int k, int panelWidth, int panelHeight, uint32_t currentColor) {
  const int cellWidth = (panelWidth - 10) / kColorGridColumns;
  const int cellHeight = (panelHeight - 10) / kColorGridRows;
  TGridCell cell;
  cell.Color = k < kStockColorCount ? CStockColors[k].Color : CStockColors[0].Color;
  cell.Left = (k % kColorGridColumns) * cellWidth + 5;
  cell.Top = (k / kColorGridColumns) * cellHeight + 5;
  cell.Marked = cell.Color == currentColor;
  if (cell.Marked) {
    cell.Width = static_cast<int>(cellWidth * 0.75 - 2);
    cell.Height = static_cast<int>(cellHeight * 0.75 - 2);
  } else {
    cell.Width = cellWidth - 2;
    cell.Height = cellHeight - 2;
  }
  return cell;
}

std::string PanelColorHint(uint32_t color) {
  return StockColorName(color) + ColorToHintText(color) + ". " +
         "(Double) Left click a color to open the stock-color dialog. Right click it to open the color dialog. "
         "Middle click it to set the default color.";
}

std::string GridCellHint(uint32_t color) { return StockColorName(color) + ColorToHintText(color); }
