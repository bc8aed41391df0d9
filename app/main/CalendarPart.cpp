// The calendar pages, made from the skin parameter table, the skin files, the
// calendar's paint on the wallpaper and its position on the desktop.
#include "app/main/CalendarPart.h"

#include "app/dialogs/DesktopPositionForm.h"
#include "app/main/CalendarSkinControls.h"
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

TCalendarPart::TCalendarPart(TMainFormHost& host) : CalendarClock(GetLocalDateTime), host_(host) {}

TCalendarPart::~TCalendarPart() = default;

void TCalendarPart::Create(TDialogWindow* const (&pages)[kCalendarPageCount]) {
  skinControls_ = std::make_unique<TCalendarSkinControls>();
  // A skin table row names its page by caption.
  skinControls_->Create(pages, kCalendarPageCaptions, kCalendarPageCount, InstalledFontNames(), IDC_CALENDAR_SKIN_FIRST);
  skinControls_->OnChange = [this] { host_.Recompose(false); };

  // Below the skin controls of "General": the show switch and the skin and position commands.
  TDialogWindow& general = *pages[0];
  const TCalendarSkinControls::TColumns columns = skinControls_->Columns(0);
  const int top = skinControls_->FreeTop(0);
  const int line = columns.LineHeight;
  ShowCalendarCheckBox.Create(general, IDC_SHOW_CALENDAR_CHECKBOX, "BUTTON", "Show on wallpaper",
                              BS_AUTOCHECKBOX | WS_TABSTOP, columns.Left[0], top, columns.Width, 10);
  ShowCalendarCheckBox.OnClick = [this] { host_.Recompose(false); };
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

  skinStore_ = std::make_unique<TStoredTextList>("", StoredTextFiles());
  skinStore_->DecimalSeparator = UserDecimalSeparator();
  skinStore_->OnLoad = [this](TStoredTextList& store, uint8_t) { ReadCalendarSkin(store); };
  skinStore_->OnSave = [this](TStoredTextList& store, uint8_t) { WriteCalendarSkin(store); };
  loadWholeSkin_ = true;
}

TControl* TCalendarPart::FindCalendarControl(const std::string& controlName) const {
  if (controlName == "ShowCalendarCheckBox") return const_cast<TCheckBox*>(&ShowCalendarCheckBox);
  return skinControls_ ? skinControls_->Find(controlName) : nullptr;
}

std::vector<TColorPanel*> TCalendarPart::CalendarColorPanels() const {
  return skinControls_ ? skinControls_->ColorPanels() : std::vector<TColorPanel*>();
}

bool TCalendarPart::SkinLoading() const { return skinStore_ && skinStore_->IsLoading; }

TOptionHolder TCalendarPart::FindOptionHolder(const std::string& name) {
  return FindNamedHolder(
      name, {
                {"ShowCalendarCheckBox", CheckBoxHolder(ShowCalendarCheckBox)},
                {"CalendarPlacement", PlacementHolder(placement_)},
                {"LastRedrawTime", RealHolder(lastRedrawTime_)},
                {"LastCalendarSkinName", PathHolder(lastCalendarSkinName_)},
                {"CalendarSkinControls",
                 SectionHolder(
                     [this](const TStoredTextList& store, const std::string&) {
                       // At start-up the whole skin is read.
                       loadWholeSkin_ = true;
                       ReadCalendarSkin(store);
                     },
                     [this](TStoredTextList& store, const std::string&) { WriteCalendarSkin(store); })},
            });
}

// ---- Skins ----

void TCalendarPart::ReadCalendarSkin(const TStoredTextList& store) { skinControls_->ReadFrom(store, loadWholeSkin_); }

void TCalendarPart::WriteCalendarSkin(TStoredTextList& store) { skinControls_->WriteTo(store); }

void TCalendarPart::LoadCalendarSkin(bool wholeSkin) {
  FUN_TRACE("TMainForm::LoadCalendarSkin");
  FUN_GUARD({
    loadWholeSkin_ = wholeSkin;
    std::string fileName;
    if (!AskSkinFileName(host_.Owner(), false, SkinLoadDialogTitle(wholeSkin), lastCalendarSkinName_, fileName)) return;
    // A missing file would read as the default skin.
    SetLastError(0);
    if (GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES) {
      FUN_RAISE("The skin file does not exist.", fileName, "", GetLastError());
      return;
    }
    lastCalendarSkinName_ = SkinNameOfFile(fileName);
    LoadCalendarSkinFile(fileName);
  });
  FUN_SHOW("Failed to load calendar skin.");
}

bool TCalendarPart::LoadCalendarSkinFile(const std::string& fileName) {
  bool loaded = false;
  {
    TUpdatingControls updating(host_);
    loaded = skinStore_->LoadFrom(fileName, 0);
  }
  if (loaded) skinFileLoaded_ = true;
  host_.Recompose(false);
  return loaded;
}

void TCalendarPart::SaveCalendarSkin() {
  FUN_TRACE("TMainForm::SaveCalendarSkin");
  FUN_GUARD({
    std::string fileName;
    if (!AskSkinFileName(host_.Owner(), true, "", lastCalendarSkinName_, fileName)) return;
    SaveCalendarSkinFile(fileName);
  });
  FUN_SHOW("Failed to save calendar skin.");
}

bool TCalendarPart::SaveCalendarSkinFile(const std::string& fileName) {
  if (!skinFileLoaded_) {
    // The file keeps its other sections: with no skin file loaded yet, the
    // store starts from the file being overwritten (empty for a new one).
    TStoredTextList::TCallback readSkin = std::move(skinStore_->OnLoad);
    skinStore_->OnLoad = nullptr;
    const bool read = skinStore_->LoadFrom(fileName, 0);
    skinStore_->OnLoad = std::move(readSkin);
    // A file that cannot be read is not overwritten; the store has reported it.
    if (!read) return false;
  }
  // The dialog asks no overwrite question, the store does, once the name has
  // its extension; a refusal keeps the last skin name.
  if (!skinStore_->SaveAs(fileName, true, 0)) return false;
  lastCalendarSkinName_ = SkinNameOfFile(fileName);
  return true;
}

void TCalendarPart::CalendarDefaultSkinLabelClick() {
  FUN_TRACE("TMainForm::CalendarDefaultSkinLabelClick");
  FUN_GUARD({
    {
      TUpdatingControls updating(host_);
      skinControls_->ShowSkin(DefaultCalendarSkin(skinControls_->FontNames()));
    }
    host_.Recompose(false);
  });
  FUN_SHOW("Failed to set the default calendar skin.");
}

// ---- Paint and position ----

bool TCalendarPart::SetInfoOnPicture(HDC wallpaper, const TScreenRect& workArea) {
  FUN_TRACE("TMainForm::SetInfoOnPicture");
  FUN_GUARD({
    if (!skinControls_) return;
    TCalendarScene scene;
    scene.ShowCalendar = ShowCalendarCheckBox.Checked();
    scene.Now = CalendarClock ? CalendarClock() : GetLocalDateTime();
    scene.CalendarWorkArea = workArea;
    scene.Names = CalendarLocaleNames();
    TCalendarPaintResult painted;
    {
      TGdiPlusCanvas canvas(wallpaper, host_.Owner());
      if (!canvas.Opened()) {
        // Like a paint that failed, this one counts for the day, so that the
        // next tick does not compose again.
        if (scene.ShowCalendar) lastRedrawTime_ = scene.Now;
        FUN_RAISE("Failed to create graphics.", std::to_string(canvas.LastStatus()));
        return;
      }
      painted = PaintCalendar(canvas, skinControls_->Skin(), scene, placement_, lastRedrawTime_);
    }
    GdiFlush();
    if (trace_.CalleeFailed()) return;
  });
  return !trace_.Failed();
}

void TCalendarPart::CalendarSetDesktopPositionLabelClick() {
  FUN_TRACE("TMainForm::CalendarSetDesktopPositionLabelClick");
  FUN_GUARD({
    if (!ShowCalendarCheckBox.Checked()) {
      ShowWarning("The calendar is not displayed on the wallpaper.");
      return;
    }
    if (!DesktopPositionForm || !skinControls_) return;
    const TCalendarSkin skin = skinControls_->Skin();
    const int margin = host_.DesktopMargin();
    FUN_CALL_INTO(const bool clicked, DesktopPositionForm->ShowDesktopPosition(
                                          placement_.RectLeft, placement_.RectTop, margin,
                                          skin.OvalBackEccentricity * 0.01, skin.OvalBack,
                                          placement_.RectHeight, placement_.RectWidth));
    if (clicked) host_.Recompose(false);
  });
  FUN_SHOW("Failed to set the calendar position.");
}
