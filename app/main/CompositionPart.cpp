// The composition pipeline: from the current picture to the installed
// wallpaper, with the resize, effect and broadcast options.
#include "app/main/CompositionPart.h"

#include "core/composition/CompositionPlan.h"
#include "core/trace/FunStatus.h"
#include "core/control/Scheduler.h"
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
#include "platform/PowerStatus.h"
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

TCompositionPart::TCompositionPart(TMainFormHost& host, TCataloguePart& catalogue, TCalendarPart& calendar)
    : IsOnMainsPower([] { return IsRunningOnMainsPower(); }),
      host_(host),
      catalogue_(catalogue),
      calendar_(calendar) {}

void TCompositionPart::Bind(TDialogWindow& generalPage, TDialogWindow& resizePage, TDialogWindow& effectsPage,
                            TDialogWindow& broadcastPage) {
  RedrawWallpaperLink.Bind(generalPage, IDC_REDRAW_WALLPAPER_LABEL);
  ViewPictureLink.Bind(generalPage, IDC_VIEW_PICTURE_LABEL);
  ClipPictureFileTitleLink.Bind(generalPage, IDC_CLIP_PICTURE_TITLE_LABEL);
  PictureMinStretchSizeComboBox.Bind(resizePage, IDC_MIN_STRETCH_SIZE_COMBOBOX);
  PictureMaxStretchSkewComboBox.Bind(resizePage, IDC_MAX_STRETCH_SKEW_COMBOBOX);
  FitAndCropCheckBox.Bind(resizePage, IDC_FIT_AND_CROP_CHECKBOX);
  StretchPictureCheckBox.Bind(resizePage, IDC_STRETCH_PICTURE_CHECKBOX);
  FitBeforeTileCheckBox.Bind(resizePage, IDC_FIT_BEFORE_TILE_CHECKBOX);
  IsTileCheckBox.Bind(resizePage, IDC_IS_TILE_CHECKBOX);
  CurrentSkewLabel.Bind(resizePage, IDC_CURRENT_SKEW_LABEL);
  FillingPictureColorPanel.Bind(effectsPage, IDC_FILLING_COLOR_PANEL);
  FillingPictureColorPanel.Caption = "    Filling";
  UsePictureNormalizeBrightnessCheckBox.Bind(effectsPage, IDC_USE_NORMALIZE_CHECKBOX);
  PictureNormalizeBrightnessLevelComboBox.Bind(effectsPage, IDC_NORMALIZE_LEVEL_COMBOBOX);
  PictureNormalizeBrightnessMethodComboBox.Bind(effectsPage, IDC_NORMALIZE_METHOD_COMBOBOX);
  GammaPictureComboBox.Bind(effectsPage, IDC_GAMMA_COMBOBOX);
  PictureAppliedNormFactorLabel.Bind(effectsPage, IDC_APPLIED_NORM_FACTOR_LABEL);
  BroadcastHelpLabel.Bind(broadcastPage, IDC_BROADCAST_HELP_LABEL);
  IsBroadcastWallpaperChangeCheckBox.Bind(broadcastPage, IDC_IS_BROADCAST_CHECKBOX);
  BroadcastWallpaperChangeIntervalComboBox.Bind(broadcastPage, IDC_BROADCAST_INTERVAL_COMBOBOX);
  TestBroadcastHelpLabel.Bind(broadcastPage, IDC_TEST_BROADCAST_HELP_LABEL);
  BroadcastNowLink.Bind(broadcastPage, IDC_BROADCAST_NOW_LABEL);
  ViewBroadcastPictureLink.Bind(broadcastPage, IDC_BROADCAST_VIEW_PICTURE_LABEL);

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
  BroadcastWallpaperChangeIntervalComboBox.OnChange = [this] { BroadcastWallpaperChangeIntervalComboBoxChange(); };

  wallpaperChangeMessage_ = RegisterWallpaperChangeMessage();
}

bool TCompositionPart::SetFileAsWallpaper(bool reload) {
  const std::string tempDirectory = GetTempDirectory();
  TCompositionRequest request;
  request.IsUpdatingControls = host_.UpdatingControls();
  request.OptionsLoading = host_.OptionsLoading();
  request.SkinLoading = calendar_.SkinLoading();
  request.CurrentFileTitle = catalogue_.Selection().CurrentFileTitle;
  request.TitleIsPictureFile = catalogue_.IsPictureFile(catalogue_.Selection().CurrentFileTitle);
  request.WallpaperFilePath = WallpaperFilePath(tempDirectory);
  if (!ShouldComposeWallpaper(request)) {
    DropCalleeFailure();
    return true;
  }

  FUN_TRACE("TMainForm::SetFileAsWallpaper");
  std::unique_ptr<TScreenBitmap> wallpaper;
  FUN_GUARD({
    catalogue_.ShowCurrentPicture();
    calendarWorkArea_ = ::CalendarWorkArea(SystemWorkArea(), host_.DesktopMargin());

    if (MustRefitPicture(reload, FittedPictureCache())) {
      fittedScreenWidth_ = GetSystemMetrics(SM_CXSCREEN);
      fittedScreenHeight_ = GetSystemMetrics(SM_CYSCREEN);
      fittedPicture_.reset();
      // The picture prepared in the background, when it is exactly what would be made now.
      if (preparer_)
        fittedPicture_ = preparer_->TakeIfUsable(PreparationKey(catalogue_.Selection().CurrentFileTitle),
                                                 currentSkew_, appliedNormalizationFactor_);
      if (!fittedPicture_) {
        LoadTilePictureToBitmap(catalogue_.Selection().CurrentFileTitle, fittedPicture_, ResizeRules(),
                                fittedScreenWidth_, fittedScreenHeight_, Effects(), &currentSkew_,
                                &appliedNormalizationFactor_);
        if (trace_.CalleeFailed()) {
          // A redraw must not try the broken file again.
          catalogue_.Selection().CurrentFileTitle.clear();
          return;
        }
      }
    }
    // Updating the tray tip waits on the notification area, and a command handled
    // meanwhile may have composed, or failed and dropped the title: nothing is
    // left to compose then.
    if (!fittedPicture_) return;
    ShowCurrentSkew();
    ShowAppliedNormFactor();

    wallpaper = fittedPicture_->Copy();
    if (!wallpaper) {
      FUN_RAISE("Failed to create wallpaper bitmap.", std::to_string(fittedScreenWidth_),
                std::to_string(fittedScreenHeight_), GetLastError());
      return;
    }
    calendar_.SetInfoOnPicture(wallpaper->Dc(), calendarWorkArea_);
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
  if (!trace_.Failed()) PrepareNextPicture();
  return !trace_.Failed();
}

TResizeRules TCompositionPart::ResizeRules() const {
  TResizeRules rules;
  rules.MinStretchSize = ComboValue(PictureMinStretchSizeComboBox);
  rules.MaxStretchSkew = ComboValue(PictureMaxStretchSkewComboBox) * 0.01;
  rules.FitAndCrop = FitAndCropCheckBox.Checked();
  rules.Stretch = StretchPictureCheckBox.Checked();
  rules.FitBeforeTile = FitBeforeTileCheckBox.Checked();
  rules.Tile = IsTileCheckBox.Checked();
  rules.FillingColor = FillingPictureColorPanel.Color();
  return rules;
}

TPictureEffects TCompositionPart::Effects() const {
  TPictureEffects effects;
  effects.Normalize = UsePictureNormalizeBrightnessCheckBox.Checked();
  effects.Level = ComboValue(PictureNormalizeBrightnessLevelComboBox) * 0.01;
  effects.Method = PictureNormalizeBrightnessMethodComboBox.Text();
  effects.GammaPercent = ComboValue(GammaPictureComboBox);
  return effects;
}

TPreparationKey TCompositionPart::PreparationKey(const std::string& fileName) const {
  return PreparationKeyOf(fileName, ResizeRules(), Effects(), GetSystemMetrics(SM_CXSCREEN),
                          GetSystemMetrics(SM_CYSCREEN), catalogue_.ListGeneration(), ReadFileStamp);
}

void TCompositionPart::PrepareNextPicture() {
  if (!preparer_) return;
  const std::string next = catalogue_.Selection().SequentialNextPicture();
  // On battery the scheduler pauses, and so does the background work.
  if (next.empty() || !IsOnMainsPower()) {
    preparer_->Drop();
    return;
  }
  preparer_->Prepare(PreparationKey(next));
}

void TCompositionPart::DropPreparedPicture() {
  if (preparer_) preparer_->Drop();
}

TFittedPictureCache TCompositionPart::FittedPictureCache() const {
  return {fittedScreenWidth_, fittedScreenHeight_, fittedPicture_ != nullptr};
}

void TCompositionPart::ReloadWallpaperOnParamChange() {
  // What was prepared was fitted by the old options.
  DropPreparedPicture();
  SetFileAsWallpaper(true);
}
void TCompositionPart::RedrawWallpaperOnParamChange() { SetFileAsWallpaper(false); }

void TCompositionPart::ShowCurrentSkew() {
  CurrentSkewLabel.SetText(CurrentSkewLabelText(fittedPicture_ != nullptr, currentSkew_));
}

void TCompositionPart::ShowAppliedNormFactor() {
  PictureAppliedNormFactorLabel.SetText(
      AppliedNormFactorLabelText(fittedPicture_ != nullptr, appliedNormalizationFactor_));
}

void TCompositionPart::ViewPictureLinkClick() {
  FUN_TRACE("TMainForm::Label3Click");
  FUN_GUARD({
    FUN_CALL(RunFile(host_.Owner(), catalogue_.Selection().CurrentFileTitle, "", "", true, false));
  });
  FUN_SHOW("Failed to view picture file.");
}

void TCompositionPart::ClipPictureFileTitleLinkClick() { CopyTextToClipboard(catalogue_.Selection().CurrentFileTitle, "", false, false, host_.Owner()); }

bool TCompositionPart::BroadcastWallpaperFile() {
  FUN_TRACE("TMainForm::BroadcastWallpaperFile");
  FUN_GUARD({
    lastBroadcastTime_ = GetLocalDateTime();
    // A random picture other than the current one; the current one stays.
    const std::string path = catalogue_.FindNextPicture(true, true, false);
    PublishWallpaperChange(path, wallpaperChangeMessage_);
  });
  return !trace_.Failed();
}

void TCompositionPart::ClearBroadcastValue() {
  SetProgramRegistryText(kBroadcastRegistryProgram, kBroadcastRegistrySubKey, kBroadcastRegistryValueName, "");
}

void TCompositionPart::IsBroadcastWallpaperChangeCheckBoxClick() {
  // Receivers must not keep using a picture nobody broadcasts any more.
  if (!IsBroadcastWallpaperChangeCheckBox.Checked()) ClearBroadcastValue();
}

void TCompositionPart::ViewBroadcastPictureLinkClick() {
  FUN_TRACE("TMainForm::Label27Click");
  FUN_GUARD({
    const std::string path =
        GetProgramRegistryText(kBroadcastRegistryProgram, kBroadcastRegistrySubKey, kBroadcastRegistryValueName);
    FUN_CALL(RunFile(host_.Owner(), path, "", "", true, false));
  });
  FUN_SHOW("Failed to view picture.");
}

void TCompositionPart::BroadcastWallpaperChangeIntervalComboBoxChange() {
  broadcastPeriod_ = GetPeriodFromText(BroadcastWallpaperChangeIntervalComboBox.Text());
}

TOptionHolder TCompositionPart::FindOptionHolder(const std::string& name) {
  TOptionHolder broadcastInterval = ComboBoxHolder(BroadcastWallpaperChangeIntervalComboBox);
  broadcastInterval.AfterLoad = [this] { BroadcastWallpaperChangeIntervalComboBoxChange(); };
  return FindNamedHolder(
      name, {
                {"FillingPictureColorPanel", ColorPanelHolder(FillingPictureColorPanel)},
                {"PictureMinStretchSizeComboBox", ComboBoxHolder(PictureMinStretchSizeComboBox)},
                {"PictureMaxStretchSkewComboBox", ComboBoxHolder(PictureMaxStretchSkewComboBox)},
                {"FitAndCropCheckBox", CheckBoxHolder(FitAndCropCheckBox)},
                {"StretchPictureCheckBox", CheckBoxHolder(StretchPictureCheckBox)},
                {"FitBeforeTileCheckBox", CheckBoxHolder(FitBeforeTileCheckBox)},
                {"IsTileCheckBox", CheckBoxHolder(IsTileCheckBox)},
                {"UsePictureNormalizeBrightnessCheckBox", CheckBoxHolder(UsePictureNormalizeBrightnessCheckBox)},
                {"PictureNormalizeBrightnessLevelComboBox", ComboBoxHolder(PictureNormalizeBrightnessLevelComboBox)},
                {"PictureNormalizeBrightnessMethodComboBox", ComboBoxHolder(PictureNormalizeBrightnessMethodComboBox)},
                {"GammaPictureComboBox", ComboBoxHolder(GammaPictureComboBox)},
                {"IsBroadcastWallpaperChangeCheckBox", CheckBoxHolder(IsBroadcastWallpaperChangeCheckBox)},
                {"BroadcastWallpaperChangeIntervalComboBox", broadcastInterval},
                {"LastBroadcastTime", RealHolder(lastBroadcastTime_)},
            });
}
