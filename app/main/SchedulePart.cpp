// The one-second scheduler, the settings changes of the system and the global hotkeys.
#include "app/main/SchedulePart.h"

#include "core/composition/CompositionPlan.h"
#include "core/control/Hotkeys.h"
#include "core/control/Scheduler.h"
#include "core/settings/ValueText.h"
#include "core/trace/FunStatus.h"
#include "platform/CryptoRandom.h"
#include "platform/Hotkeys.h"
#include "platform/LocalTime.h"
#include "platform/PowerStatus.h"
#include "platform/WindowPlacement.h"
#include "resources/resource.h"

TSchedulePart::TSchedulePart(TMainFormHost& host, TCataloguePart& catalogue, TCompositionPart& composition,
                             TCalendarPart& calendar)
    : host_(host), catalogue_(catalogue), composition_(composition), calendar_(calendar) {}

TSchedulePart::~TSchedulePart() { UnregisterHotkeys(); }

void TSchedulePart::Bind(TDialogWindow& wallpaperGeneralPage, TDialogWindow& programPage) {
  IsAutoChangeWallpaperCheckBox.Bind(wallpaperGeneralPage, IDC_IS_AUTO_CHANGE_CHECKBOX);
  AutoChangeWallpaperIntervalComboBox.Bind(wallpaperGeneralPage, IDC_AUTO_CHANGE_INTERVAL_COMBOBOX);
  RandomWallpaperCheckBox.Bind(wallpaperGeneralPage, IDC_RANDOM_WALLPAPER_CHECKBOX);
  UseAutoChangeWallpaperStartTimeCheckBox.Bind(wallpaperGeneralPage, IDC_USE_START_TIME_CHECKBOX);
  AutoChangeWallpaperStartTimeComboBox.Bind(wallpaperGeneralPage, IDC_START_TIME_COMBOBOX);
  HotkeyComboBox.Bind(programPage, IDC_HOTKEY_COMBOBOX);

  AutoChangeWallpaperIntervalComboBox.OnChange = [this] { AutoChangeWallpaperIntervalComboBoxChange(); };
  AutoChangeWallpaperStartTimeComboBox.OnChange = [this] { AutoChangeWallpaperIntervalComboBoxChange(); };
  HotkeyComboBox.OnChange = [this] { HotkeyComboBoxChange(); };
}

TOptionHolder TSchedulePart::FindOptionHolder(const std::string& name) {
  TOptionHolder hotkey = ComboBoxHolder(HotkeyComboBox);
  hotkey.AfterLoad = [this] { RegisterHotkeys(); };
  TOptionHolder interval = ComboBoxHolder(AutoChangeWallpaperIntervalComboBox);
  interval.AfterLoad = [this] { AutoChangeWallpaperIntervalComboBoxChange(); };
  return FindNamedHolder(
      name, {
                {"HotkeyComboBox", hotkey},
                {"IsAutoChangeWallpaperCheckBox", CheckBoxHolder(IsAutoChangeWallpaperCheckBox)},
                {"AutoChangeWallpaperIntervalComboBox", interval},
                {"UseAutoChangeWallpaperStartTimeCheckBox", CheckBoxHolder(UseAutoChangeWallpaperStartTimeCheckBox)},
                {"AutoChangeWallpaperStartTimeComboBox", ComboBoxHolder(AutoChangeWallpaperStartTimeComboBox)},
                {"RandomWallpaperCheckBox", CheckBoxHolder(RandomWallpaperCheckBox)},
            });
}

// ---- Scheduler ----

void TSchedulePart::AutoChangeWallpaperIntervalComboBoxChange() {
  autoChangePeriod_ = GetPeriodFromText(AutoChangeWallpaperIntervalComboBox.Text());
}

void TSchedulePart::TimerTimer() {
  if (settingsChangePending_ && !host_.UpdatingControls()) {
    settingsChangePending_ = false;
    FWinIniChange();
  }
  TTimerTickHooks hooks;
  hooks.IsRunningOnMainsPower = [] { return ::IsRunningOnMainsPower(); };
  hooks.Now = [] { return GetLocalDateTime(); };
  hooks.MixCursor = [] { Random.MixCursor(); };
  hooks.ReadState = [this] {
    TTimerTickState state;
    state.IsAutoChange = IsAutoChangeWallpaperCheckBox.Checked();
    state.AutoChangePeriod = autoChangePeriod_;
    state.LastAutoChangeTime = catalogue_.Selection().LastAutoChangeTime;
    state.IsRandom = RandomWallpaperCheckBox.Checked();
    if (UseAutoChangeWallpaperStartTimeCheckBox.Checked())
      state.StartHour = GetIntFromText(AutoChangeWallpaperStartTimeComboBox.Text(), 0, 23, 0);
    state.ShowCalendar = calendar_.ShowsCalendar();
    state.LastRedrawTime = calendar_.LastRedrawTime();
    state.IsBroadcast = composition_.IsBroadcastWallpaperChangeCheckBox.Checked();
    state.BroadcastPeriod = composition_.BroadcastPeriod();
    state.LastBroadcastTime = composition_.LastBroadcastTime();
    const TPictureSelection& selection = catalogue_.Selection();
    state.IsPictureListEmpty = selection.PictureList.empty();
    state.IsCurrentFileTitleEmpty = selection.CurrentFileTitle.empty();
    state.AllPicturesUnreadable = selection.AllPicturesUnreadable();
    return state;
  };
  hooks.WriteLastTimes = [this](double lastAutoChangeTime, double lastBroadcastTime) {
    catalogue_.Selection().LastAutoChangeTime = lastAutoChangeTime;
    composition_.SetLastBroadcastTime(lastBroadcastTime);
  };
  // The tick tests the record after the change; the selection itself is not
  // traced, so without a trace of its own the tick would read its own entry
  // status as a failure. A picture that cannot be read is recorded, not
  // shown, and the change goes on to the next one.
  hooks.ChangePicture = [this](bool random) {
    FUN_TRACE("TMainForm::ChangePicture");
    FUN_GUARD({
      catalogue_.ChangeAndShowPicture(true, random);
      trace_.CalleeFailed();  // the composition of the last picture tried
    });
  };
  hooks.BroadcastWallpaperFile = [this] { composition_.BroadcastWallpaperFile(); };
  hooks.SetFileAsWallpaper = [this](bool reload) { composition_.SetFileAsWallpaper(reload); };
  RunTimerTick(hooks);
}

// ---- Hotkeys ----

void TSchedulePart::RegisterHotkeys() {
  // A second registration under the same identifier would leave the previous
  // letter working too; only the chosen letter should.
  UnregisterHotkeys();
  hotkeyWindow_ = host_.Owner();
  RegisterWindowHotkeys(hotkeyWindow_, GetHotkeyLetter(HotkeyComboBox.Text()));
}

void TSchedulePart::UnregisterHotkeys() {
  if (!hotkeyWindow_) return;
  UnregisterWindowHotkeys(hotkeyWindow_);
  hotkeyWindow_ = nullptr;
}

void TSchedulePart::HotkeyComboBoxChange() { RegisterHotkeys(); }

void TSchedulePart::FWinIniChange() {
  FUN_TRACE("TMainForm::FWinIniChange");
  FUN_GUARD({
    // Start-up answers messages while it talks to the notification area, with
    // its controls half set: a change then would compose nothing and be lost.
    if (host_.UpdatingControls()) {
      settingsChangePending_ = true;
      return;
    }
    RECT workArea;
    SetLastError(0);
    if (!GetWorkArea(workArea)) {
      FUN_RAISE("Failed to get desktop work area.", "", "", GetLastError());
      return;
    }
    const TFittedPictureCache cache = composition_.FittedPictureCache();
    const TScreenRect shrunk = ::CalendarWorkArea({workArea.left, workArea.top, workArea.right, workArea.bottom},
                                                  host_.DesktopMargin());
    switch (ActionOnSettingsChange(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), cache, shrunk,
                                   composition_.CalendarWorkArea())) {
      case TSettingsChangeAction::Reload: FUN_CALL(composition_.SetFileAsWallpaper(true)); break;
      case TSettingsChangeAction::Redraw: FUN_CALL(composition_.SetFileAsWallpaper(false)); break;
      case TSettingsChangeAction::Nothing: return;
    }
  });
}

