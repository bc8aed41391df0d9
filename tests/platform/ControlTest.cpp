// The tray popup menu as the system holds it, the global hotkeys as the
// system sees them, and the local clock's date-times.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main/MainForm.h"
#include "app/main/TrayMenu.h"
#include "platform/Hotkeys.h"
#include "platform/LocalTime.h"
#include "tests/platform/CompositionTestPictures.h"

namespace {

struct TWalkedItem {
  std::string Caption;  // "-" for a separator
  bool IsRadio = false;
  bool Checked = false;
  UINT Id = 0;
  HMENU Submenu = nullptr;
};

std::vector<TWalkedItem> WalkMenu(HMENU menu) {
  std::vector<TWalkedItem> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char caption[64] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = caption;
    info.cch = sizeof caption;
    EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
    TWalkedItem item;
    item.Caption = (info.fType & MFT_SEPARATOR) ? "-" : caption;
    item.IsRadio = (info.fType & MFT_RADIOCHECK) != 0;
    item.Checked = (info.fState & MFS_CHECKED) != 0;
    item.Id = info.wID;
    item.Submenu = info.hSubMenu;
    items.push_back(item);
  }
  return items;
}

std::vector<std::string> Captions(const std::vector<TWalkedItem>& items) {
  std::vector<std::string> captions;
  for (const auto& item : items) captions.push_back(item.Caption);
  return captions;
}

std::vector<std::string> CheckedCaptions(HMENU menu) {
  std::vector<std::string> checked;
  for (const auto& item : WalkMenu(menu))
    if (item.Checked) checked.push_back(item.Caption);
  return checked;
}

TEST(ControlTrayMenuTest, HoldsEveryItemInOrderWithTheBrightnessSubmenu) {
  HMENU menu = BuildTrayPopupMenu();
  ASSERT_NE(menu, nullptr);
  const auto items = WalkMenu(menu);
  EXPECT_EQ(Captions(items),
            (std::vector<std::string>{"Close", "-", "Add pictures directory", "-", "Visible calendar",
                                      "Visible background", "Set calendar position", "Load calendar skin",
                                      "Load calendar colors", "-", "Normalize brightness"}));
  ASSERT_EQ(items.size(), 11u);
  ASSERT_NE(items[10].Submenu, nullptr);
  EXPECT_EQ(GetBrightnessSubmenu(menu), items[10].Submenu);

  const auto levels = WalkMenu(items[10].Submenu);
  EXPECT_EQ(Captions(levels), (std::vector<std::string>{"None", "-", "80", "70", "60", "50", "40", "30", "25",
                                                         "20", "15", "10"}));
  for (const auto& level : levels) {
    if (level.Caption != "-") {
      EXPECT_TRUE(level.IsRadio) << level.Caption;
    }
  }

  // Each command's identifier leads back to its table item; the holder of the
  // submenu and the separators are no commands.
  EXPECT_EQ(FindTrayMenuItemById(items[0].Id)->Command, TTrayMenuCommand::Close);
  EXPECT_EQ(FindTrayMenuItemById(items[8].Id)->Command, TTrayMenuCommand::LoadCalendarSkinColors);
  EXPECT_EQ(FindTrayMenuItemById(items[10].Id), nullptr);
  EXPECT_EQ(FindTrayMenuItemById(levels[6].Id)->Tag, 40);
  EXPECT_STREQ(FindTrayMenuItemById(levels[0].Id)->Name, "STP_NormalizeBrightness_NoneMenu");
  EXPECT_EQ(FindTrayMenuItemById(kBrightnessMenuFirstId + 1), nullptr);
  EXPECT_EQ(FindTrayMenuItemById(kBrightnessMenuFirstId + 12), nullptr);
  DestroyMenu(menu);
}

TEST(ControlTrayMenuTest, ChecksFollowTheStateAtEveryPopup) {
  HMENU menu = BuildTrayPopupMenu();
  ASSERT_NE(menu, nullptr);
  HMENU levels = GetBrightnessSubmenu(menu);

  ApplyTrayMenuChecks(menu, GetTrayMenuChecks(true, false, true, 40));
  EXPECT_EQ(CheckedCaptions(menu), std::vector<std::string>{"Visible calendar"});
  EXPECT_EQ(CheckedCaptions(levels), std::vector<std::string>{"40"});

  // A level the submenu does not offer shows "None", and the former marks go.
  ApplyTrayMenuChecks(menu, GetTrayMenuChecks(false, true, true, 35));
  EXPECT_EQ(CheckedCaptions(menu), std::vector<std::string>{"Visible background"});
  EXPECT_EQ(CheckedCaptions(levels), std::vector<std::string>{"None"});

  ApplyTrayMenuChecks(menu, GetTrayMenuChecks(false, false, false, 80));
  EXPECT_TRUE(CheckedCaptions(menu).empty());
  EXPECT_EQ(CheckedCaptions(levels), std::vector<std::string>{"None"});
  DestroyMenu(menu);
}

// A window of this test to own hotkeys for the comparison.
HWND CreateMessageWindow() {
  return CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST(ControlHotkeysTest, TakesTheThreeCombinationsOfTheLetterUntilUnregistered) {
  HWND program = CreateMessageWindow();
  HWND other = CreateMessageWindow();
  ASSERT_TRUE(program && other);
  RegisterWindowHotkeys(program, 'K');
  // Taken: Ctrl+Shift, Ctrl+Alt and Alt+Shift with K.
  for (UINT modifiers : {MOD_CONTROL | MOD_SHIFT, MOD_CONTROL | MOD_ALT, MOD_ALT | MOD_SHIFT})
    EXPECT_FALSE(RegisterHotKey(other, 1, modifiers, 'K')) << "modifiers " << modifiers;
  // Other combinations and letters stay free.
  EXPECT_TRUE(RegisterHotKey(other, 2, MOD_CONTROL, 'K'));
  EXPECT_TRUE(RegisterHotKey(other, 3, MOD_CONTROL | MOD_SHIFT, 'J'));
  UnregisterHotKey(other, 2);
  UnregisterHotKey(other, 3);

  UnregisterWindowHotkeys(program);
  EXPECT_TRUE(RegisterHotKey(other, 4, MOD_CONTROL | MOD_SHIFT, 'K'));
  UnregisterHotKey(other, 4);
  DestroyWindow(program);
  DestroyWindow(other);
}

TEST(ControlLocalTimeTest, ConvertsSystemTimesAndFormatsWithColons) {
  SYSTEMTIME time = {};
  time.wYear = 2007;
  time.wMonth = 11;
  time.wDay = 21;
  time.wHour = 18;
  EXPECT_DOUBLE_EQ(SystemTimeToDateTime(time), 39407.75);
  const SYSTEMTIME back = DateTimeToSystemTime(39407.75);
  EXPECT_EQ(back.wYear, 2007);
  EXPECT_EQ(back.wMonth, 11);
  EXPECT_EQ(back.wDay, 21);
  EXPECT_EQ(back.wHour, 18);
  EXPECT_EQ(back.wDayOfWeek, 3);  // a Wednesday
  time.wMonth = 13;
  EXPECT_EQ(SystemTimeToDateTime(time), 0.0);

  SYSTEMTIME before, after;
  GetLocalTime(&before);
  const double now = GetLocalDateTime();
  GetLocalTime(&after);
  EXPECT_GE(now, SystemTimeToDateTime(before));
  EXPECT_LE(now, SystemTimeToDateTime(after));

  const TLocaleDateTimeTexts texts = LocalDateTimeTexts();
  const std::string date = GetLongDateText(39407.75, texts);
  EXPECT_NE(date.find("2007"), std::string::npos) << date;
  EXPECT_NE(date.find("21"), std::string::npos) << date;
  const std::string clock = GetLongTimeText(39407.75 + 7.0 / 86400, texts);
  EXPECT_NE(clock.find(":00:07"), std::string::npos) << clock;
}

}  // namespace

// A change of resolution reloads the wallpaper fitted to the new screen size,
// without waiting for a settings message. A new window has fitted no picture
// yet, for no screen size, as after a change from another size.
TEST(ControlDisplayChangeTest, ANewScreenSizeReloadsThePictureFittedToItAlsoDuringStartUp) {
  TGdiPlusSession gdiplus;
  const std::string picture = CompositionTempPath("display_change.png");
  ASSERT_TRUE(WriteEncodedPicture(picture, L"image/png", 64, 48, [](int, int) { return 0x336699u; }));
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const auto makeForm = [&picture] {
    auto form = std::make_unique<TMainForm>();
    EXPECT_TRUE(form->Create());
    form->IsUpdatingControls = false;
    form->Catalogue.Selection().CurrentFileTitle = picture;
    EXPECT_EQ(form->Composition.FittedPictureCache().FittedScreenWidth, 0);
    return form;
  };
  {
    const auto form = makeForm();
    SendMessageA(form->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(width, height));
    EXPECT_EQ(form->Composition.FittedPictureCache().FittedScreenWidth, width);
    EXPECT_EQ(form->Composition.FittedPictureCache().FittedScreenHeight, height);
    ASSERT_NE(form->Composition.FittedPicture(), nullptr);
    EXPECT_EQ(form->Composition.FittedPicture()->Width(), width);
    EXPECT_EQ(form->Composition.FittedPicture()->Height(), height);
  }

  // A change while the program sets its own controls (start-up answers messages
  // on the way) is not lost: the next tick handles it.
  const auto form = makeForm();
  form->IsUpdatingControls = true;
  SendMessageA(form->Handle(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_EQ(form->Composition.FittedPictureCache().FittedScreenWidth, 0);
  form->IsUpdatingControls = false;
  form->Calendar.ShowCalendarCheckBox.SetChecked(false);
  form->Schedule.IsAutoChangeWallpaperCheckBox.SetChecked(false);
  form->Schedule.TimerTimer();
  EXPECT_EQ(form->Composition.FittedPictureCache().FittedScreenWidth, width);
  DeleteFileA(picture.c_str());
}
