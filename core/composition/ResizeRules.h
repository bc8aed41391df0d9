// The resize rules: how a picture of W x H is sized for a screen of SW x SH.
#pragma once

#include <cstdint>

// The "Resize" options as the fitting uses them (the defaults are the options' defaults).
struct TResizeRules {
  int MinStretchSize = 300;     // pixels on both axes for crop, stretch and fit; below 1 = none
  double MaxStretchSkew = 1.2;  // largest skew that still stretches (percent x 0.01); <= 0 = any
  bool FitAndCrop = false;      // fill the screen keeping the aspect ratio, crop the overflow
  bool Stretch = true;          // stretch to the whole screen when the skew allows
  bool FitBeforeTile = true;    // scale up or down to fit; when off a picture is only shrunk
  bool Tile = true;             // repeat the sized picture instead of centring it
  uint32_t FillingColor = 0;    // 0x00BBGGRR, background of the whole bitmap
};

// Aspect skew of W x H against SW x SH: always >= 1, 1 meaning the screen's aspect ratio.
double AspectSkew(int width, int height, int screenWidth, int screenHeight);

struct TPictureSize {
  int Width = 0;       // dw
  int Height = 0;      // dh
  double Skew = 1.0;   // the full aspect skew, 1.0 when not measured
  bool Stretched = false;
};

// The stretch / fit / shrink decision. A picture or screen without area gives 0 x 0,
// not stretched, skew 1.0.
TPictureSize ComputePictureSize(int width, int height, int screenWidth, int screenHeight,
                                int minSize, double maxSkew, bool stretch, bool fitBeforeTile);
