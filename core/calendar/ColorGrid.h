// The stock colour dialog's grid and the colour panels' hint text.
#pragma once

#include <cstdint>
#include <string>

constexpr int kColorGridColumns = 12;
constexpr int kColorGridRows = 12;
constexpr int kColorGridCells = kColorGridColumns * kColorGridRows;

struct TGridCell {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  uint32_t Color = 0;
  bool Marked = false;  // the current colour, drawn smaller
};

// Cell k (row-major) of a grid laid out in a panel of the given client size;
// cells past the table are black, and cells of the current colour are marked.
TGridCell ColorGridCell(int k, int panelWidth, int panelHeight, uint32_t currentColor);

// The hint of a colour panel: the stock name (if any), the RGB texts and the
// instructions for the mouse.
std::string PanelColorHint(uint32_t color);

// The hint of a grid cell: the entry's name and its RGB texts.
std::string GridCellHint(uint32_t color);
