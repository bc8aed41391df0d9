// The main window's calendar: the pages made from the skin parameter table,
// the skin files, the calendar's paint on the wallpaper and its position on
// the desktop.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main/MainFormHost.h"
#include "app/main/MainFormPages.h"
#include "app/main/OptionHolder.h"
#include "core/calendar/CalendarGeometry.h"
#include "core/composition/CompositionPlan.h"
#include "platform/Widgets.h"

class TCalendarSkinControls;
class TStoredTextList;

class TCalendarPart {
 public:
  explicit TCalendarPart(TMainFormHost& host);
  ~TCalendarPart();
  // Makes the skin controls on the calendar pages, "General" first, with the
  // show switch and the skin and position commands below them.
  void Create(TDialogWindow* const (&pages)[kCalendarPageCount]);

  TCheckBox ShowCalendarCheckBox;  // "Show on wallpaper"
  TLinkLabel CalendarLoadSkinLabel, CalendarSaveSkinLabel, CalendarDefaultSkinLabel, CalendarLoadSkinColorsLabel;
  TLinkLabel CalendarSetDesktopPositionLabel;

  // Paints the calendar onto the wallpaper being composed, through a GDI+
  // surface opened on its device context, inside workArea. A failure is
  // recorded and does not stop the composition.
  bool SetInfoOnPicture(HDC wallpaper, const TScreenRect& workArea);
  // The local date-time the calendar shows; tests may replace it.
  std::function<double()> CalendarClock;
  double LastRedrawTime() const { return lastRedrawTime_; }
  void SetLastRedrawTime(double time) { lastRedrawTime_ = time; }
  bool ShowsCalendar() const { return ShowCalendarCheckBox.Checked(); }
  // True while a skin file is read into the controls.
  bool SkinLoading() const;

  void LoadCalendarSkin(bool wholeSkin);
  void SaveCalendarSkin();
  // What the two commands do with the file chosen in their dialog; false when
  // nothing was loaded or saved (a failure is reported by the store).
  bool LoadCalendarSkinFile(const std::string& fileName);
  bool SaveCalendarSkinFile(const std::string& fileName);
  const std::string& LastCalendarSkinName() const { return lastCalendarSkinName_; }
  void SetLastCalendarSkinName(const std::string& name) { lastCalendarSkinName_ = name; }
  void CalendarDefaultSkinLabelClick();
  void CalendarSetDesktopPositionLabelClick();

  // A skin control by its name in the table ("CalendarFrameBack5ColorPanel"); null when unknown.
  TControl* FindCalendarControl(const std::string& controlName) const;
  std::vector<TColorPanel*> CalendarColorPanels() const;
  // The calendar rows of the options table: the show switch, the placement,
  // the last times and names, and the whole "CalendarSkin" section.
  TOptionHolder FindOptionHolder(const std::string& name);

 private:
  // Section "CalendarSkin" of a store into the controls (all keys with
  // loadWholeSkin_, else the colours only), and the controls into it.
  void ReadCalendarSkin(const TStoredTextList& store);
  void WriteCalendarSkin(TStoredTextList& store);

  TMainFormHost& host_;
  // The 91 skin controls, made from the skin parameter table.
  std::unique_ptr<TCalendarSkinControls> skinControls_;
  // The skin file store: OnLoad reads the skin into the controls, OnSave writes it.
  std::unique_ptr<TStoredTextList> skinStore_;
  TCalendarPlacement placement_{0.7, 0.15, 0.1, 0.1};
  double lastRedrawTime_ = 0;
  std::string lastCalendarSkinName_;
  bool loadWholeSkin_ = true;
  bool skinFileLoaded_ = false;  // since start
};
