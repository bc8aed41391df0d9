// The calendar pages, made from the skin parameter table, the skin files, the
// calendar's paint on the wallpaper and its position on the desktop.
#include <windows.h>


#include "app/main/CalendarSkinControls.h"
#include "app/dialogs/DesktopPositionForm.h"
#include "app/main/MainForm.h"
#include "core/calendar/CalendarPainter.h"
#include "core/calendar/CalendarSkinFiles.h"
#include "core/trace/FunStatus.h"
#include "core/settings/StoredTextList.h"
#include "core/control/TimeHelpers.h"
#include "core/settings/ValueText.h"
#include "platform/CalendarSystemNames.h"
#include "platform/FileDialogs.h"
#include "platform/GdiPlusCanvas.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsDirectory.h"
#include "platform/StoredTextFiles.h"
#include "platform/LocalTime.h"
#include "resources/resource.h"

namespace {



// While the program itself sets the calendar controls, no change composes.
class TUpdatingControls {
 public:
  explicit TUpdatingControls(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~TUpdatingControls() { flag_ = previous_; }

 private:
  bool& flag_;
  bool previous_;
};

// The skin file the user picks, with ".wps" added when it has no extension;
// false when the dialog was cancelled. The dialog is not asked to check that a
// file to load exists: some dialogs check the name as typed, before the
// extension is added, and refuse "myskin" for "myskin.wps".
bool AskSkinFileName(HWND owner, bool save, const std::string& title, std::string& lastCalendarSkinName,
                     std::string& fileName) {
  TFileDialogRequest request;
  request.Filter = SkinFileFilter();
  request.Title = title;
  request.DefaultExtension = "wps";
  request.FolderMustExist = true;
  std::string chosen = SkinDialogInitialFileName(GetSettingsDirectory(), lastCalendarSkinName);
  unsigned long failureCode = 0;
  if (!(save ? ChooseFileToSave(owner, request, chosen, failureCode)
             : ChooseFileToOpen(owner, request, chosen, failureCode)))
    return false;
  fileName = WithSkinExtension(chosen);
  return true;
}

}  // namespace

void TMainForm::BindCalendarControls() {
  CalendarSkinControls = std::make_shared<TCalendarSkinControls>();
  TDialogWindow* pages[kCalendarPageCount];
  for (int i = 0; i < kCalendarPageCount; ++i) pages[i] = &CalendarPages[i];
  // A skin table row names its page by caption.
  CalendarSkinControls->Create(pages, kCalendarPageCaptions, kCalendarPageCount, InstalledFontNames(), IDC_CALENDAR_SKIN_FIRST);
  CalendarSkinControls->OnChange = [this] { RedrawWallpaperOnParamChange(); };

  // Below the skin controls of "General": the show switch and the skin and position commands.
  TPage& general = CalendarPages[0];
  const TCalendarSkinControls::TColumns columns = CalendarSkinControls->Columns(0);
  const int top = CalendarSkinControls->FreeTop(0);
  const int line = columns.LineHeight;
  ShowCalendarCheckBox.Create(general, IDC_SHOW_CALENDAR_CHECKBOX, "BUTTON", "Show on wallpaper",
                              BS_AUTOCHECKBOX | WS_TABSTOP, columns.Left[0], top, columns.Width, 10);
  ShowCalendarCheckBox.OnClick = [this] { RedrawWallpaperOnParamChange(); };
  const struct {
    TLinkLabel* label;
    int id;
    const char* caption;
    int column;
    int row;
  } links[] = {
      {&CalendarLoadSkinLabel, IDC_CALENDAR_LOAD_SKIN_LABEL, "Load skin", 0, 1},
      {&CalendarSaveSkinLabel, IDC_CALENDAR_SAVE_SKIN_LABEL, "Save skin", 1, 1},
      {&CalendarDefaultSkinLabel, IDC_CALENDAR_DEFAULT_SKIN_LABEL, "Default skin", 0, 2},
      {&CalendarLoadSkinColorsLabel, IDC_CALENDAR_LOAD_SKIN_COLORS_LABEL, "Load skin colors", 1, 2},
      {&CalendarSetDesktopPositionLabel, IDC_CALENDAR_SET_DESKTOP_POSITION_LABEL, "Set position on wallpaper", 0, 3},
  };
  for (const auto& link : links)
    link.label->Create(general, link.id, "STATIC", link.caption, SS_LEFT | SS_NOTIFY, columns.Left[link.column],
                       top + link.row * line, columns.Width, 9);
  CalendarLoadSkinLabel.OnClick = [this] { LoadCalendarSkin(true); };
  CalendarLoadSkinColorsLabel.OnClick = [this] { LoadCalendarSkin(false); };
  CalendarSaveSkinLabel.OnClick = [this] { SaveCalendarSkin(); };
  CalendarDefaultSkinLabel.OnClick = [this] { CalendarDefaultSkinLabelClick(); };
  CalendarSetDesktopPositionLabel.OnClick = [this] { CalendarSetDesktopPositionLabelClick(); };

  CalendarSkinStore = std::make_shared<TStoredTextList>("", StoredTextFiles());
  CalendarSkinStore->DecimalSeparator = UserDecimalSeparator();
  CalendarSkinStore->OnLoad = [this](TStoredTextList& store, uint8_t) { ReadCalendarSkin(store); };
  CalendarSkinStore->OnSave = [this](TStoredTextList& store, uint8_t) { WriteCalendarSkin(store); };
  LoadWholeSkin = true;
  CalendarClock = GetLocalDateTime;
}

TControl* TMainForm::FindCalendarControl(const std::string& controlName) const {
  if (controlName == "ShowCalendarCheckBox") return const_cast<TCheckBox*>(&ShowCalendarCheckBox);
  return CalendarSkinControls ? CalendarSkinControls->Find(controlName) : nullptr;
}

std::vector<TColorPanel*> TMainForm::CalendarColorPanels() const {
  return CalendarSkinControls ? CalendarSkinControls->ColorPanels() : std::vector<TColorPanel*>();
}

// ---- Skins ----

void TMainForm::ReadCalendarSkin(TStoredTextList& store) { CalendarSkinControls->ReadFrom(store, LoadWholeSkin); }

void TMainForm::WriteCalendarSkin(TStoredTextList& store) { CalendarSkinControls->WriteTo(store); }

void TMainForm::LoadCalendarSkin(bool wholeSkin) {
  FUN_TRACE("TMainForm::LoadCalendarSkin");
  FUN_GUARD({
    LoadWholeSkin = wholeSkin;
    std::string fileName;
    if (!AskSkinFileName(handle_, false, SkinLoadDialogTitle(wholeSkin), LastCalendarSkinName, fileName)) return;
    // A missing file would read as the default skin.
    SetLastError(0);
    if (GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES) {
      FUN_RAISE("The skin file does not exist.", fileName, "", GetLastError());
      return;
    }
    LastCalendarSkinName = SkinNameOfFile(fileName);
    LoadCalendarSkinFile(fileName);
  });
  FUN_SHOW("Failed to load calendar skin.");
}

bool TMainForm::LoadCalendarSkinFile(const std::string& fileName) {
  bool loaded = false;
  {
    TUpdatingControls updating(IsUpdatingControls);
    loaded = CalendarSkinStore->LoadFrom(fileName, 0);
  }
  if (loaded) CalendarSkinFileLoaded = true;
  SetFileAsWallpaper(false);
  return loaded;
}

void TMainForm::SaveCalendarSkin() {
  FUN_TRACE("TMainForm::SaveCalendarSkin");
  FUN_GUARD({
    std::string fileName;
    if (!AskSkinFileName(handle_, true, "", LastCalendarSkinName, fileName)) return;
    SaveCalendarSkinFile(fileName);
  });
  FUN_SHOW("Failed to save calendar skin.");
}

bool TMainForm::SaveCalendarSkinFile(const std::string& fileName) {
  if (!CalendarSkinFileLoaded) {
    // The file keeps its other sections: with no skin file loaded yet, the
    // store starts from the file being overwritten (empty for a new one).
    TStoredTextList::TCallback readSkin = std::move(CalendarSkinStore->OnLoad);
    CalendarSkinStore->OnLoad = nullptr;
    const bool read = CalendarSkinStore->LoadFrom(fileName, 0);
    CalendarSkinStore->OnLoad = std::move(readSkin);
    // A file that cannot be read is not overwritten; the store has reported it.
    if (!read) return false;
  }
  // The dialog asks no overwrite question, the store does, once the name has
  // its extension; a refusal keeps the last skin name.
  if (!CalendarSkinStore->SaveAs(fileName, true, 0)) return false;
  LastCalendarSkinName = SkinNameOfFile(fileName);
  return true;
}

void TMainForm::CalendarDefaultSkinLabelClick() {
  FUN_TRACE("TMainForm::CalendarDefaultSkinLabelClick");
  FUN_GUARD({
    {
      TUpdatingControls updating(IsUpdatingControls);
      CalendarSkinControls->ShowSkin(DefaultCalendarSkin(CalendarSkinControls->FontNames()));
    }
    SetFileAsWallpaper(false);
  });
  FUN_SHOW("Failed to set the default calendar skin.");
}

// ---- Paint and position ----

bool TMainForm::SetInfoOnPicture(HDC wallpaper) {
  FUN_TRACE("TMainForm::SetInfoOnPicture");
  FUN_GUARD({
    if (!CalendarSkinControls) return;
    TCalendarScene scene;
    scene.ShowCalendar = ShowCalendarCheckBox.Checked();
    scene.Now = CalendarClock ? CalendarClock() : GetLocalDateTime();
    scene.CalendarWorkArea = CalendarWorkArea;
    scene.Names = CalendarLocaleNames();
    TCalendarPaintResult painted;
    {
      TGdiPlusCanvas canvas(wallpaper, handle_);
      if (!canvas.Opened()) {
        // Like a paint that failed, this one counts for the day, so that the
        // next tick does not compose again.
        if (scene.ShowCalendar) LastRedrawTime = scene.Now;
        FUN_RAISE("Failed to create graphics.", std::to_string(canvas.LastStatus()));
        return;
      }
      painted = PaintCalendar(canvas, CalendarSkinControls->Skin(), scene, CalendarPlacement, LastRedrawTime);
    }
    GdiFlush();
    if (trace_.CalleeFailed()) return;
  });
  return !trace_.Failed();
}

void TMainForm::CalendarSetDesktopPositionLabelClick() {
  FUN_TRACE("TMainForm::CalendarSetDesktopPositionLabelClick");
  FUN_GUARD({
    if (!ShowCalendarCheckBox.Checked()) {
      ShowWarning("The calendar is not displayed on the wallpaper.");
      return;
    }
    if (!DesktopPositionForm || !CalendarSkinControls) return;
    const TCalendarSkin skin = CalendarSkinControls->Skin();
    const int margin = GetIntFromTextAnyValue(DesktopMarginComboBox.Text());
    FUN_CALL_INTO(const bool clicked, DesktopPositionForm->ShowDesktopPosition(
                                          CalendarPlacement.RectLeft, CalendarPlacement.RectTop, margin,
                                          skin.OvalBackEccentricity * 0.01, skin.OvalBack,
                                          CalendarPlacement.RectHeight, CalendarPlacement.RectWidth));
    if (clicked) SetFileAsWallpaper(false);
  });
  FUN_SHOW("Failed to set the calendar position.");
}
