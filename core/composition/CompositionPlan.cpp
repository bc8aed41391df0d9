#include "core/composition/CompositionPlan.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/catalogue/PathParts.h"

namespace {

void ShrinkAxis(int low, int high, int margin, int& newLow, int& newHigh) {
  const int64_t shrunkLow = static_cast<int64_t>(low) + margin;
  const int64_t shrunkHigh = static_cast<int64_t>(high) - margin;
  if (shrunkHigh - shrunkLow >= 1) {
    newLow = static_cast<int>(shrunkLow);
    newHigh = static_cast<int>(shrunkHigh);
    return;
  }
  const int64_t middle = high > low ? low + (static_cast<int64_t>(high) - low) / 2 : low;
  newLow = static_cast<int>(middle);
  newHigh = static_cast<int>(middle + 1);
}

// trunc(value x 100) as an integer text; out-of-range values saturate.
std::string TruncatedPercent(double value) {
  const double percent = std::trunc(value * 100);
  if (!(percent == percent)) return "0";
  constexpr double kLimit = static_cast<double>(std::numeric_limits<int>::max());
  if (percent >= kLimit) return std::to_string(std::numeric_limits<int>::max());
  if (percent <= -kLimit) return std::to_string(-std::numeric_limits<int>::max());
  return std::to_string(static_cast<int>(percent));
}

}  // namespace

bool ShouldComposeWallpaper(const TCompositionRequest& request) {
  return !request.IsUpdatingControls && !request.OptionsLoading && !request.SkinLoading &&
         !request.CurrentFileTitle.empty() && request.TitleIsPictureFile &&
         !SameTextAscii(request.CurrentFileTitle, request.WallpaperFilePath);
}

bool MustRefitPicture(bool reload, const TFittedPictureCache& cache) {
  return reload || cache.FittedScreenWidth <= 0 || cache.FittedScreenHeight <= 0 ||
         !cache.HasFittedPicture;
}

TScreenRect CalendarWorkArea(const TScreenRect& workArea, int desktopMargin) {
  TScreenRect area;
  ShrinkAxis(workArea.Left, workArea.Right, desktopMargin, area.Left, area.Right);
  ShrinkAxis(workArea.Top, workArea.Bottom, desktopMargin, area.Top, area.Bottom);
  return area;
}

TSettingsChangeAction ActionOnSettingsChange(int screenWidth, int screenHeight,
                                             const TFittedPictureCache& cache,
                                             const TScreenRect& marginArea,
                                             const TScreenRect& calendarWorkArea) {
  if (screenWidth != cache.FittedScreenWidth || screenHeight != cache.FittedScreenHeight)
    return TSettingsChangeAction::Reload;
  if (marginArea != calendarWorkArea) return TSettingsChangeAction::Redraw;
  return TSettingsChangeAction::Nothing;
}

std::string CurrentSkewLabelText(bool hasFittedPicture, double currentSkew) {
  if (!hasFittedPicture) return "(No current skew available)";
  return "(Current full skew " + TruncatedPercent(currentSkew) + "%)";
}

std::string AppliedNormFactorLabelText(bool hasFittedPicture, double appliedFactor) {
  if (!hasFittedPicture) return "(No applied normalization factor)";
  return "(Applied normalization factor " + TruncatedPercent(appliedFactor) + ")";
}
