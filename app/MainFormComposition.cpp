// The composition pipeline: from the current picture to the installed
// wallpaper, with the resize, effect and broadcast options.
#include "app/MainForm.h"

#include "core/composition/CompositionPlan.h"
#include "core/trace/FunStatus.h"
#include "core/control/TimeHelpers.h"
#include "core/settings/ValueText.h"
#include "core/composition/WallpaperBroadcast.h"
#include "core/composition/WallpaperFiles.h"
#include "platform/Clipboard.h"
#include "platform/GdiPlusPicture.h"
#include "platform/Registry.h"
#include "platform/RunFile.h"
#include "platform/WallpaperBroadcastSend.h"
#include "platform/WallpaperInstall.h"
#include "platform/LocalTime.h"
#include "platform/WindowPlacement.h"
#include "resources/resource.h"

namespace {


TScreenRect SystemWorkArea() {
  RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  GetWorkArea(area);
  return {static_cast<int>(area.left), static_cast<int>(area.top), static_cast<int>(area.right),
          static_cast<int>(area.bottom)};
}

int ComboValue(const TComboBox& box) { return GetIntFromTextAnyValue(box.Text()); }

}  // namespace

void TMainForm::BindCompositionControls() {
  RedrawWallpaperLink.Bind(WallpaperGeneralTabSheet, IDC_REDRAW_WALLPAPER_LABEL);
  ViewPictureLink.Bind(WallpaperGeneralTabSheet, IDC_VIEW_PICTURE_LABEL);
  ClipPictureFileTitleLink.Bind(WallpaperGeneralTabSheet, IDC_CLIP_PICTURE_TITLE_LABEL);
  PictureMinStretchSizeComboBox.Bind(ResizeTabSheet, IDC_MIN_STRETCH_SIZE_COMBOBOX);
  PictureMaxStretchSkewComboBox.Bind(ResizeTabSheet, IDC_MAX_STRETCH_SKEW_COMBOBOX);
  FitAndCropCheckBox.Bind(ResizeTabSheet, IDC_FIT_AND_CROP_CHECKBOX);
  StretchPictureCheckBox.Bind(ResizeTabSheet, IDC_STRETCH_PICTURE_CHECKBOX);
  FitBeforeTileCheckBox.Bind(ResizeTabSheet, IDC_FIT_BEFORE_TILE_CHECKBOX);
  IsTileCheckBox.Bind(ResizeTabSheet, IDC_IS_TILE_CHECKBOX);
  CurrentSkewLabel.Bind(ResizeTabSheet, IDC_CURRENT_SKEW_LABEL);
  FillingPictureColorPanel.Bind(EffectsTabSheet, IDC_FILLING_COLOR_PANEL);
  FillingPictureColorPanel.Caption = "    Filling";
  UsePictureNormalizeBrightnessCheckBox.Bind(EffectsTabSheet, IDC_USE_NORMALIZE_CHECKBOX);
  PictureNormalizeBrightnessLevelComboBox.Bind(EffectsTabSheet, IDC_NORMALIZE_LEVEL_COMBOBOX);
  PictureNormalizeBrightnessMethodComboBox.Bind(EffectsTabSheet, IDC_NORMALIZE_METHOD_COMBOBOX);
  GammaPictureComboBox.Bind(EffectsTabSheet, IDC_GAMMA_COMBOBOX);
  PictureAppliedNormFactorLabel.Bind(EffectsTabSheet, IDC_APPLIED_NORM_FACTOR_LABEL);
  BroadcastHelpLabel.Bind(BroadcastTabSheet, IDC_BROADCAST_HELP_LABEL);
  IsBroadcastWallpaperChangeCheckBox.Bind(BroadcastTabSheet, IDC_IS_BROADCAST_CHECKBOX);
  BroadcastWallpaperChangeIntervalComboBox.Bind(BroadcastTabSheet, IDC_BROADCAST_INTERVAL_COMBOBOX);
  TestBroadcastHelpLabel.Bind(BroadcastTabSheet, IDC_TEST_BROADCAST_HELP_LABEL);
  BroadcastNowLink.Bind(BroadcastTabSheet, IDC_BROADCAST_NOW_LABEL);
  ViewBroadcastPictureLink.Bind(BroadcastTabSheet, IDC_BROADCAST_VIEW_PICTURE_LABEL);

  BroadcastHelpLabel.SetText(kBroadcastHelpText);
  TestBroadcastHelpLabel.SetText(kTestBroadcastHelpText);
  ShowCurrentSkew();
  ShowAppliedNormFactor();

  // Every resize and effect option fits the picture anew.
  for (TComboBox* box : {&PictureMinStretchSizeComboBox, &PictureMaxStretchSkewComboBox,
                         &PictureNormalizeBrightnessLevelComboBox,
                         &PictureNormalizeBrightnessMethodComboBox, &GammaPictureComboBox})
    box->OnChange = [this] { ReloadWallpaperOnParamChange(); };
  for (TCheckBox* box : {&FitAndCropCheckBox, &StretchPictureCheckBox, &FitBeforeTileCheckBox,
                         &IsTileCheckBox, &UsePictureNormalizeBrightnessCheckBox})
    box->OnClick = [this] { ReloadWallpaperOnParamChange(); };
  RedrawWallpaperLink.OnClick = [this] { ReloadWallpaperOnParamChange(); };
  ViewPictureLink.OnClick = [this] { ViewPictureLinkClick(); };
  ClipPictureFileTitleLink.OnClick = [this] { ClipPictureFileTitleLinkClick(); };
  BroadcastNowLink.OnClick = [this] { BroadcastWallpaperFile(); };
  ViewBroadcastPictureLink.OnClick = [this] { ViewBroadcastPictureLinkClick(); };
  IsBroadcastWallpaperChangeCheckBox.OnClick = [this] { IsBroadcastWallpaperChangeCheckBoxClick(); };

  WallpaperChangeMessage = RegisterWallpaperChangeMessage();
}

bool TMainForm::SetFileAsWallpaper(bool reload) {
  const std::string tempDirectory = GetTempDirectory();
  TCompositionRequest request;
  request.IsUpdatingControls = IsUpdatingControls;
  request.OptionsLoading = Options && Options->IsLoading;
  request.SkinLoading = CalendarSkinStore && CalendarSkinStore->IsLoading;
  request.CurrentFileTitle = Selection.CurrentFileTitle;
  request.TitleIsPictureFile = IsPictureFile(Selection.CurrentFileTitle);
  request.WallpaperFilePath = WallpaperFilePath(tempDirectory);
  if (!ShouldComposeWallpaper(request)) {
    DropCalleeFailure();
    return true;
  }

  FUN_TRACE("TMainForm::SetFileAsWallpaper");
  std::unique_ptr<TScreenBitmap> wallpaper;
  FUN_GUARD({
    ShowCurrentPicture();
    CalendarWorkArea = ::CalendarWorkArea(SystemWorkArea(), ComboValue(DesktopMarginComboBox));

    const TFittedPictureCache cache{FittedScreenWidth, FittedScreenHeight, FittedPicture != nullptr};
    if (MustRefitPicture(reload, cache)) {
      FittedScreenWidth = GetSystemMetrics(SM_CXSCREEN);
      FittedScreenHeight = GetSystemMetrics(SM_CYSCREEN);
      FittedPicture.reset();
      TResizeRules rules;
      rules.MinStretchSize = ComboValue(PictureMinStretchSizeComboBox);
      rules.MaxStretchSkew = ComboValue(PictureMaxStretchSkewComboBox) * 0.01;
      rules.FitAndCrop = FitAndCropCheckBox.Checked();
      rules.Stretch = StretchPictureCheckBox.Checked();
      rules.FitBeforeTile = FitBeforeTileCheckBox.Checked();
      rules.Tile = IsTileCheckBox.Checked();
      rules.FillingColor = FillingPictureColorPanel.Color();
      TPictureEffects effects;
      effects.Normalize = UsePictureNormalizeBrightnessCheckBox.Checked();
      effects.Level = ComboValue(PictureNormalizeBrightnessLevelComboBox) * 0.01;
      effects.Method = PictureNormalizeBrightnessMethodComboBox.Text();
      effects.GammaPercent = ComboValue(GammaPictureComboBox);
      LoadTilePictureToBitmap(Selection.CurrentFileTitle, FittedPicture, rules, FittedScreenWidth,
                              FittedScreenHeight, effects, &CurrentSkew, &AppliedNormalizationFactor);
      if (trace_.CalleeFailed()) {
        // A redraw must not try the broken file again.
        Selection.CurrentFileTitle.clear();
        return;
      }
    }
    // Updating the tray tip waits on the notification area, and a command handled
    // meanwhile may have composed, or failed and dropped the title: nothing is
    // left to compose then.
    if (!FittedPicture) return;
    ShowCurrentSkew();
    ShowAppliedNormFactor();

    wallpaper = FittedPicture->Copy();
    if (!wallpaper) {
      FUN_RAISE("Failed to create wallpaper bitmap.", std::to_string(FittedScreenWidth),
                std::to_string(FittedScreenHeight), GetLastError());
      return;
    }
    SetInfoOnPicture(wallpaper->Dc());
    trace_.CalleeFailed();  // recorded; the wallpaper goes up without its calendar
    // Without the temporary directory the file would land in the current one.
    std::string directory = tempDirectory;
    if (directory.empty()) {
      FUN_CALL(directory = GetTempDirectory());
    }
    FUN_CALL(SaveBitmapAsBmpFile(*wallpaper, WallpaperFilePath(directory)));
    FUN_CALL(::SetFileAsWallpaper(kWallpaperFileName));
  });
  wallpaper.reset();
  return !trace_.Failed();
}

void TMainForm::ReloadWallpaperOnParamChange() { SetFileAsWallpaper(true); }
void TMainForm::RedrawWallpaperOnParamChange() { SetFileAsWallpaper(false); }

void TMainForm::ShowCurrentSkew() {
  CurrentSkewLabel.SetText(CurrentSkewLabelText(FittedPicture != nullptr, CurrentSkew));
}

void TMainForm::ShowAppliedNormFactor() {
  PictureAppliedNormFactorLabel.SetText(
      AppliedNormFactorLabelText(FittedPicture != nullptr, AppliedNormalizationFactor));
}

void TMainForm::ViewPictureLinkClick() {
  FUN_TRACE("TMainForm::Label3Click");
  FUN_GUARD({
    FUN_CALL(RunFile(handle_, Selection.CurrentFileTitle, "", "", true, false));
  });
  FUN_SHOW("Failed to view picture file.");
}

void TMainForm::ClipPictureFileTitleLinkClick() { CopyTextToClipboard(Selection.CurrentFileTitle, "", false, false, handle_); }

bool TMainForm::BroadcastWallpaperFile() {
  FUN_TRACE("TMainForm::BroadcastWallpaperFile");
  FUN_GUARD({
    LastBroadcastTime = GetLocalDateTime();
    // A random picture other than the current one; the current one stays.
    const std::string path = FindNextPicture(true, true, false);
    PublishWallpaperChange(path, WallpaperChangeMessage);
  });
  return !trace_.Failed();
}

void TMainForm::ClearBroadcastValue() {
  SetProgramRegistryText(kBroadcastRegistryProgram, kBroadcastRegistrySubKey, kBroadcastRegistryValueName, "");
}

void TMainForm::IsBroadcastWallpaperChangeCheckBoxClick() {
  // Receivers must not keep using a picture nobody broadcasts any more.
  if (!IsBroadcastWallpaperChangeCheckBox.Checked()) ClearBroadcastValue();
}

void TMainForm::ViewBroadcastPictureLinkClick() {
  FUN_TRACE("TMainForm::Label27Click");
  FUN_GUARD({
    const std::string path =
        GetProgramRegistryText(kBroadcastRegistryProgram, kBroadcastRegistrySubKey, kBroadcastRegistryValueName);
    FUN_CALL(RunFile(handle_, path, "", "", true, false));
  });
  FUN_SHOW("Failed to view picture.");
}
