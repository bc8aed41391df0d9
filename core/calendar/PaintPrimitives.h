// Colour with translucency, and the one text primitive every calendar text
// goes through.
#pragma once

#include <cstdint>
#include <string>

#include "core/calendar/Canvas.h"

// Translucency is a percentage: 0 opaque .. 100 invisible; values outside are clamped.
int TranslucencyToAlpha(int translucencyPercent);

// Colour 0x00BBGGRR (top byte ignored) and translucency -> ARGB.
TArgb MakeArgb(uint32_t color, int translucencyPercent);

// Everything one text needs, in the order the painter thinks of it.
struct TPaintTextArgs {
  std::string Text;
  std::string FontName;
  TRectF Layout;
  int Size = 0;  // em height in pixels
  bool Bold = false;
  bool Italic = false;
  TStringAlignment HorizontalAlignment = TStringAlignment::Near;
  TStringAlignment VerticalAlignment = TStringAlignment::Near;
  uint32_t TextColor = 0;
  int TextTranslucency = 0;
  bool Shadow = false;
  int HorizontalShadowShift = 0;
  int VerticalShadowShift = 0;
  uint32_t ShadowColor = 0;    // also the outline's colour
  int ShadowTranslucency = 0;  // also the outline's translucency
  bool Outline = false;
  int OutlineThickness = 0;
  bool BackBox = false;
  uint32_t BackBoxMarginColor = 0;
  int BackBoxMarginTranslucency = 0;
  uint32_t BackBoxFillColor = 0;
  int BackBoxFillTranslucency = 0;
};

// Paints one text: optional back box, then either plain text with an optional
// shadow, or (outline on, shadow off) the stroked and filled glyph outlines.
// A translucency of 100 or more leaves that layer out.
void PaintText(TCanvas& canvas, const TPaintTextArgs& args);

// Line height of the font in pixels; 0 (and a recorded failure) when the
// canvas cannot measure.
int GetFontHeight(TCanvas& canvas, const TFontSpec& font);
