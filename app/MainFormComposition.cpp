// The composition pipeline: from the current picture to the installed
// wallpaper, with the resize, effect and broadcast options.
#include "app/MainForm.h"
#include "resources/resource.h"

void TMainForm::BindCompositionControls() {
  Label4.Bind(WallpaperGeneralTabSheet, IDC_REDRAW_WALLPAPER_LABEL);
  Label3.Bind(WallpaperGeneralTabSheet, IDC_VIEW_PICTURE_LABEL);
  Label18.Bind(WallpaperGeneralTabSheet, IDC_CLIP_PICTURE_TITLE_LABEL);
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
  Label6.Bind(BroadcastTabSheet, IDC_BROADCAST_NOW_LABEL);
  Label27.Bind(BroadcastTabSheet, IDC_BROADCAST_VIEW_PICTURE_LABEL);
}

// Filled in with the composition pipeline.
bool TMainForm::SetFileAsWallpaper(bool) { return true; }
void TMainForm::ReloadWallpaperOnParamChange() { SetFileAsWallpaper(true); }
void TMainForm::RedrawWallpaperOnParamChange() { SetFileAsWallpaper(false); }
bool TMainForm::BroadcastWallpaperFile() { return true; }
void TMainForm::ClearBroadcastValue() {}
