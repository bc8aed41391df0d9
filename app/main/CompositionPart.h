// The main window's composition: the pipeline from the current picture to the
// installed wallpaper, with the resize, effect and broadcast options.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/main/CalendarPart.h"
#include "app/main/CataloguePart.h"
#include "app/main/MainFormHost.h"
#include "app/main/OptionHolder.h"
#include "core/composition/CompositionPlan.h"
#include "platform/PicturePreparer.h"
#include "platform/ScreenBitmap.h"
#include "platform/Widgets.h"

class TCompositionPart {
 public:
  // The picture comes from the catalogue; the calendar paints onto it.
  TCompositionPart(TMainFormHost& host, TCataloguePart& catalogue, TCalendarPart& calendar);
  // Binds the controls of the "General", "Resize", "Effects" and "Broadcast" wallpaper pages.
  void Bind(TDialogWindow& generalPage, TDialogWindow& resizePage, TDialogWindow& effectsPage,
            TDialogWindow& broadcastPage);

  TLinkLabel RedrawWallpaperLink, ViewPictureLink, ClipPictureFileTitleLink;  // "Redraw wallpaper", "View picture", "Clip picture file title"
  TComboBox PictureMinStretchSizeComboBox, PictureMaxStretchSkewComboBox;
  TCheckBox FitAndCropCheckBox, StretchPictureCheckBox, FitBeforeTileCheckBox, IsTileCheckBox;
  TLabel CurrentSkewLabel, PictureAppliedNormFactorLabel;
  TColorPanel FillingPictureColorPanel;
  TCheckBox UsePictureNormalizeBrightnessCheckBox;
  TComboBox PictureNormalizeBrightnessLevelComboBox, PictureNormalizeBrightnessMethodComboBox, GammaPictureComboBox;
  TLabel BroadcastHelpLabel, TestBroadcastHelpLabel;
  TCheckBox IsBroadcastWallpaperChangeCheckBox;
  TComboBox BroadcastWallpaperChangeIntervalComboBox;
  TLinkLabel BroadcastNowLink, ViewBroadcastPictureLink;  // "Broadcast wallpaper change for other programs", "View picture"

  // Composes the wallpaper from the current picture and installs it; reload
  // decodes the picture again, otherwise the kept fitted picture is reused.
  bool SetFileAsWallpaper(bool reload);
  void ReloadWallpaperOnParamChange();
  void RedrawWallpaperOnParamChange();
  // The screen size the kept picture was fitted for, and whether one is kept.
  TFittedPictureCache FittedPictureCache() const;
  const TScreenBitmap* FittedPicture() const { return fittedPicture_.get(); }
  // The work area shrunk by the desktop margin, where the calendar went last.
  const TScreenRect& CalendarWorkArea() const { return calendarWorkArea_; }

  // Starts preparing, in the background, the picture a sequential Next would show,
  // unless the scheduler pauses on battery.
  void PrepareNextPicture();
  // Cancels the preparation in flight and discards its result.
  void DropPreparedPicture();
  // Ends the background preparation for good; GDI+ must outlive it.
  void StopPreparing() { preparer_.reset(); }
  const TPicturePreparer* Preparer() const { return preparer_.get(); }
  // Whether the computer runs on mains power; the scheduler pauses on battery.
  std::function<bool()> IsOnMainsPower;

  bool BroadcastWallpaperFile();
  // Empties the broadcast registry value, at shutdown and when switched off.
  void ClearBroadcastValue();
  // Seconds, derived from the broadcast interval list whenever its text is set.
  double BroadcastPeriod() const { return broadcastPeriod_; }
  double LastBroadcastTime() const { return lastBroadcastTime_; }
  void SetLastBroadcastTime(double time) { lastBroadcastTime_ = time; }
  void BroadcastWallpaperChangeIntervalComboBoxChange();
  // The composition's rows of the options table: resize, effects and broadcast.
  TOptionHolder FindOptionHolder(const std::string& name);

  void ViewPictureLinkClick();
  void ClipPictureFileTitleLinkClick();
  void ViewBroadcastPictureLinkClick();
  void IsBroadcastWallpaperChangeCheckBoxClick();

 private:
  TResizeRules ResizeRules() const;
  TPictureEffects Effects() const;
  // Everything a picture fitted now for `fileName` depends on.
  TPreparationKey PreparationKey(const std::string& fileName) const;
  void ShowCurrentSkew();
  void ShowAppliedNormFactor();

  TMainFormHost& host_;
  TCataloguePart& catalogue_;
  TCalendarPart& calendar_;
  int fittedScreenWidth_ = 0, fittedScreenHeight_ = 0;
  // The picture fitted to the screen without calendar, kept for redraws.
  std::unique_ptr<TScreenBitmap> fittedPicture_;
  // The next picture, fitted in the background so that a change skips decoding.
  std::unique_ptr<TPicturePreparer> preparer_ = std::make_unique<TPicturePreparer>();
  double currentSkew_ = 1.0;
  double appliedNormalizationFactor_ = 0.0;
  TScreenRect calendarWorkArea_;
  UINT wallpaperChangeMessage_ = 0;
  double broadcastPeriod_ = 0;
  double lastBroadcastTime_ = 0;
};
