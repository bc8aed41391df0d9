// The rules of one wallpaper composition run: whether it runs at all, whether the kept
// fitted picture can be reused, the calendar's work area and the labels it updates.
#pragma once

#include "core/composition/PixelBox.h"

#include <string>

// What decides whether a composition run goes ahead.
struct TCompositionRequest {
  bool IsUpdatingControls = false;
  bool OptionsLoading = false;       // the options store's IsLoading
  bool SkinLoading = false;          // the calendar skin store's IsLoading
  std::string CurrentFileTitle;
  bool TitleIsPictureFile = false;   // IsPictureFile(CurrentFileTitle)
  std::string WallpaperFilePath;     // temporary directory + the wallpaper file name
};

// False when the run is skipped silently (and the status reset to success): while the
// program sets controls or a store loads, with no or no picture file as the current
// title, or when the title is our own wallpaper file (any letter case).
bool ShouldComposeWallpaper(const TCompositionRequest& request);

// The kept fitted picture and the screen size it was made for.
struct TFittedPictureCache {
  int FittedScreenWidth = 0;
  int FittedScreenHeight = 0;
  bool HasFittedPicture = false;
};

// True when the picture must be read and fitted again: on a reload, or when no usable
// fitted picture is kept. Then the screen size is read anew and the old picture dropped.
bool MustRefitPicture(bool reload, const TFittedPictureCache& cache);

// The work area and the calendar's area in screen pixels.
using TScreenRect = TBox;


// The work area shrunk by the desktop margin on every side. An axis the margin would
// leave without a pixel (a tiny or empty work area) keeps one pixel at its middle, so
// that the calendar's fractions of the area never divide by zero.
TScreenRect CalendarWorkArea(const TScreenRect& workArea, int desktopMargin);

// What a system settings change asks for.
enum class TSettingsChangeAction { Nothing, Redraw, Reload };
TSettingsChangeAction ActionOnSettingsChange(int screenWidth, int screenHeight,
                                             const TFittedPictureCache& cache,
                                             const TScreenRect& marginArea,
                                             const TScreenRect& calendarWorkArea);

// "(Current full skew 106%)", or "(No current skew available)" without a fitted picture.
std::string CurrentSkewLabelText(bool hasFittedPicture, double currentSkew);
// "(Applied normalization factor 87)", or "(No applied normalization factor)".
std::string AppliedNormFactorLabelText(bool hasFittedPicture, double appliedFactor);

// What the loader reports before it measures anything.
constexpr double kNoSkew = 1.0;
constexpr double kNoNormalizationFactor = 0.0;
