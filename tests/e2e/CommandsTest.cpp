// The main window's commands that ask the user something or open another
// window, driven end to end: the Index box, "Use user wallpaper", "View
// picture", "Clip picture file title", the directory list's question, message
// and limit, the favourites menu and its limit, the colour panels and the
// calendar skin files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramHarness.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kFirstWindowMs = 30000;
constexpr DWORD kActionMs = 20000;
constexpr uint32_t kRed = 0xC81E1E, kGreen = 0x1EC81E, kBlue = 0x1E1EC8, kGrey = 0x646464;

// The file name field of the common open and save dialogs, and of their older style.
constexpr int kFileNameField = 0x47C, kOldFileNameField = 0x480;

// Pictures a.bmp (red), b.bmp (green) and c.bmp (blue) listed, a.bmp current,
// the program shown and its names loaded; counts the wallpapers it installs.
class CommandsTest : public ::testing::Test {
 protected:
  void StartWith(const std::string& extraSections = "", const std::string& mainKeys = "",
                 const std::string& directoryRows = "") {
    pictures_ = WriteUniformPictures(program_, {kRed, kGreen, kBlue});
    const std::string sections = QuietSections(pictures_ + "a.bmp", false, mainKeys) + extraSections;
    program_.WriteFile("Muralotrope.ini",
                       directoryRows.empty() ? OptionsFileText(sections, pictures_) : sections + directoryRows);
    ASSERT_TRUE(program_.Start("ShowOnStart"));
    window_ = program_.WaitForMainWindow(kFirstWindowMs);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CountLabel() == LoadedPicturesCountText(3); }, kActionMs)) << CountLabel();
    ASSERT_TRUE(WaitForStartupEnd(window_, pictures_ + "a.bmp", kActionMs));
  }

  std::string CountLabel() const { return ControlText(window_, IDC_LOADED_PICTURES_COUNT_LABEL); }
  std::string PictureLabel() const { return ControlText(window_, IDC_LAST_PICTURE_LABEL); }

  // A dialog of the program with this caption, shown; null when none comes.
  HWND WaitForDialog(const std::string& caption) const {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
          dialog = program_.FindTopWindow(caption, "#32770");
          return dialog && IsWindowVisible(dialog);
        },
        kActionMs);
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
  }

  // Presses a button of a dialog or message box and waits until it is gone.
  static bool Press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return WaitUntil([&] { return !IsWindow(dialog); }, kActionMs);
  }

  // Answers the message box showing the text with a button; false when it does not come.
  bool Answer(const std::string& text, int button) const {
    HWND box = program_.WaitForMessageBox(text, kActionMs);
    return box && Press(box, button);
  }

  // Types a path into the open or save dialog with this caption and confirms it.
  bool ChooseInFileDialog(const std::string& caption, const std::string& path) const {
    HWND dialog = WaitForDialog(caption);
    if (!dialog) return false;
    HWND field = TProgramUnderTest::FindControl(dialog, kFileNameField);
    if (!field) field = TProgramUnderTest::FindControl(dialog, kOldFileNameField);
    if (!field) return false;
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return Press(dialog, IDOK);
  }

  // Closes for real through the Close link, which saves the options; their text.
  std::string CloseAndReadOptions() {
    if (!ClickLink(window_, IDC_CLOSE_PROGRAM_LABEL) || program_.WaitForExit(kActionMs) != 0) return "";
    return program_.ReadFile("Muralotrope.ini");
  }

  // The program's popup menu, once it is open.
  HWND WaitForPopupMenu() const {
    HWND menu = nullptr;
    WaitUntil(
        [&] {
          for (HWND window : program_.OtherVisibleWindows(window_)) {
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "#32768") menu = window;
          }
          return menu != nullptr;
        },
        kActionMs);
    return menu;
  }

  // Opens a favourites menu by its link and picks the item so many steps down
  // from the top (the first item is the menu's heading), as the keyboard does.
  bool PickFavorite(int link, int steps) const {
    // The menu opens under the link, centred on the pointer, and lights up the item the
    // pointer rests on, from which the steps would then count. On the screen's bottom
    // row the pointer rests on no item: a menu that does not fit below the link opens
    // above it, or moves up only as far as its border.
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    if (!ClickLink(window_, link)) return false;
    HWND menu = WaitForPopupMenu();
    if (!menu) return false;
    for (int i = 0; i < steps; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    return WaitUntil([&] { return !IsWindowVisible(menu); }, kActionMs);
  }

  // Brings a page of a tab control to the front as a click on its tab does.
  bool ShowPage(int tabControl, int index) const {
    HWND tab = TProgramUnderTest::FindControl(window_, tabControl);
    if (!tab) return false;
    SendMessageA(tab, TCM_SETCURFOCUS, index, 0);
    return SendMessageA(tab, TCM_GETCURSEL, 0, 0) == index;
  }

  // Waits for one more installed wallpaper than seen before.
  bool WaitForNextWallpaper() {
    const bool installed = WaitUntil([&] { return installs_.Count() > seenInstalls_; }, kActionMs);
    seenInstalls_ = installs_.Count();
    return installed;
  }

  TWallpaperInstallCounter installs_;
  int seenInstalls_ = 0;
  TProgramUnderTest program_;
  std::string pictures_;
  HWND window_ = nullptr;
};

// Makes a file type open by copying the file to a marker, for as long as it
// lives. Registered for the whole machine: the shell under Wine does not read
// the user's own file types.
class TMarkingAssociation {
 public:
  TMarkingAssociation(const std::string& extension, const std::string& marker) : extension_(extension) {
    HKEY existing = nullptr;
    existed_ = RegOpenKeyExA(HKEY_CLASSES_ROOT, extension_.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS;
    if (existing) RegCloseKey(existing);
    if (existed_) return;
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string command = std::string(system) + "\\cmd.exe /c copy \"%1\" \"" + marker + "\"";
    RegSetKeyValueA(HKEY_CLASSES_ROOT, extension_.c_str(), nullptr, REG_SZ, kViewer, sizeof kViewer);
    RegSetKeyValueA(HKEY_CLASSES_ROOT, (std::string(kViewer) + "\\shell\\open\\command").c_str(), nullptr,
                    REG_SZ, command.c_str(), static_cast<DWORD>(command.size() + 1));
  }
  ~TMarkingAssociation() {
    if (existed_) return;
    RegDeleteTreeA(HKEY_CLASSES_ROOT, extension_.c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kViewer);
  }
  bool Usable() const { return !existed_; }

 private:
  static constexpr char kViewer[] = "MuralotropeTestViewer";
  std::string extension_;
  bool existed_ = false;
};

TEST_F(CommandsTest, IndexUserWallpaperViewAndClipActOnTheCurrentPicture) {
  ASSERT_NO_FATAL_FAILURE(StartWith());

  // "Index" offers the current position; a position in the list selects it.
  ASSERT_TRUE(ClickLink(window_, IDC_INDEX_WALLPAPER_LABEL));
  HWND box = WaitForDialog("Input picture index");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ControlText(box, 101), "1");
  SendMessageA(GetDlgItem(box, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("3"));
  ASSERT_TRUE(Press(box, IDOK));
  ASSERT_TRUE(WaitForNextWallpaper());
  EXPECT_NE(PictureLabel().find("(index 3) \"c.bmp\""), std::string::npos) << PictureLabel();
  EXPECT_EQ(WallpaperCentre(), kBlue);
  // A position past the end changes nothing and says nothing.
  ASSERT_TRUE(ClickLink(window_, IDC_INDEX_WALLPAPER_LABEL));
  box = WaitForDialog("Input picture index");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ControlText(box, 101), "3");
  SendMessageA(GetDlgItem(box, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("4"));
  ASSERT_TRUE(Press(box, IDOK));
  ASSERT_TRUE(SendLinkClick(window_, IDC_CLIP_PICTURE_TITLE_LABEL));  // handled after the box's answer
  EXPECT_EQ(installs_.Count(), seenInstalls_);
  EXPECT_NE(PictureLabel().find("\"c.bmp\""), std::string::npos) << PictureLabel();
  EXPECT_TRUE(program_.OtherVisibleWindows(window_).empty());

  // "Clip picture file title" copies the current picture's path.
  EXPECT_EQ(ClipboardText(), pictures_ + "c.bmp");

  // "Use user wallpaper" takes any picture file, also one outside the list.
  const std::string outside = program_.PathInFolder("outside.bmp");
  WriteUniformBmp(outside, 40, 30, kGrey);
  ASSERT_TRUE(ClickLink(window_, IDC_USER_WALLPAPER_LABEL));
  ASSERT_TRUE(ChooseInFileDialog("Open", outside));
  ASSERT_TRUE(WaitForNextWallpaper());
  EXPECT_NE(PictureLabel().find("(index not in list) \"outside.bmp\""), std::string::npos) << PictureLabel();
  EXPECT_EQ(WallpaperCentre(), kGrey);

  // "View picture" opens the current picture with the program the shell associates with it.
  const std::string marker = program_.PathInFolder("viewed.bmp");
  TMarkingAssociation viewer(".bmp", marker);
  ASSERT_TRUE(viewer.Usable()) << "a .bmp association is in the way";
  ASSERT_TRUE(ClickLink(window_, IDC_VIEW_PICTURE_LABEL));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(marker) == ReadWholeFile(outside); }, kActionMs));
  EXPECT_TRUE(program_.OtherVisibleWindows(window_).empty()) << "no error window";
}

TEST_F(CommandsTest, DirectoryListAsksBeforeDeletingTellsTheReloadedCountAndStopsAtAHundredRows) {
  // A full list: the pictures, then 99 switched-off rows.
  const std::string folder = program_.PathInFolder("Pictures") + "\\";
  std::string rows = "[DirectoryList]\r\nCount=100\r\n";
  for (int row = 0; row < 100; ++row) {
    const std::string n = std::to_string(row);
    rows += "Title" + n + "=" + (row == 0 ? folder : "X:\\Missing" + n) + "\r\nActive" + n + "=" +
            (row == 0 ? "TRUE" : "FALSE") + "\r\nRecurs" + n + "=FALSE\r\n";
  }
  ASSERT_NO_FATAL_FAILURE(StartWith("", "", rows));
  HWND list = TProgramUnderTest::FindControl(window_, IDC_DIRECTORIES_LISTBOX);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 100);

  ASSERT_TRUE(ClickLink(window_, IDC_ADD_DIRECTORY_LABEL));
  ASSERT_TRUE(Answer("Too many directories. Can't add anymore.", IDOK));
  EXPECT_TRUE(program_.OtherVisibleWindows(window_).empty()) << "no folder browser";

  // The question: No keeps the row, Yes deletes the focused (first) one; names are not reloaded.
  ASSERT_TRUE(ClickLink(window_, IDC_DELETE_DIRECTORY_LABEL));
  ASSERT_TRUE(Answer("Do you want to delete the focused directory?", IDNO));
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 100);
  ASSERT_TRUE(ClickLink(window_, IDC_DELETE_DIRECTORY_LABEL));
  ASSERT_TRUE(Answer("Do you want to delete the focused directory?", IDYES));
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 99);
  EXPECT_EQ(CountLabel(), LoadedPicturesCountText(3));

  // Below the limit "Add directory" browses again.
  ASSERT_TRUE(ClickLink(window_, IDC_ADD_DIRECTORY_LABEL));
  HWND browser = WaitForDialog("Browse for Folder");
  ASSERT_NE(browser, nullptr);
  ASSERT_TRUE(Press(browser, IDCANCEL));

  // "Reload file names" loads what the rows now give and says how many.
  ASSERT_TRUE(ClickLink(window_, IDC_RELOAD_FILE_NAMES_LABEL));
  ASSERT_TRUE(Answer(LoadedPicturesCountText(0) + ".", IDOK));
  EXPECT_EQ(CountLabel(), LoadedPicturesCountText(0));
}

TEST_F(CommandsTest, FavoritesMenusSelectAndDeleteNewestFirstAndTheListStopsAtTwenty) {
  // Twenty favourites: eighteen elsewhere, then b.bmp, then c.bmp as the newest.
  std::string favorites = "[FavoritePictures]\r\nCount=20\r\n";
  const std::string folder = program_.PathInFolder("Pictures") + "\\";
  for (int n = 0; n < 20; ++n)
    favorites += "Title" + std::to_string(n) + "=" +
                 (n == 18 ? folder + "b.bmp" : n == 19 ? folder + "c.bmp" : "X:\\Elsewhere\\" + std::to_string(n) + ".bmp") +
                 "\r\n";
  ASSERT_NO_FATAL_FAILURE(StartWith(favorites));

  ASSERT_TRUE(ClickLink(window_, IDC_ADD_FAVORITE_LABEL));
  ASSERT_TRUE(Answer("Can't add any more favorites.", IDOK));

  // Set mode: below the heading, the newest first.
  ASSERT_TRUE(PickFavorite(IDC_SET_FAVORITE_LABEL, 2));
  ASSERT_TRUE(WaitForNextWallpaper());
  EXPECT_NE(PictureLabel().find("\"c.bmp\""), std::string::npos) << PictureLabel();
  EXPECT_EQ(WallpaperCentre(), kBlue);
  // Delete mode removes it without touching the wallpaper; b.bmp is then the newest.
  ASSERT_TRUE(PickFavorite(IDC_DELETE_FAVORITE_LABEL, 2));
  EXPECT_EQ(installs_.Count(), seenInstalls_);
  ASSERT_TRUE(PickFavorite(IDC_SET_FAVORITE_LABEL, 2));
  ASSERT_TRUE(WaitForNextWallpaper());
  EXPECT_NE(PictureLabel().find("\"b.bmp\""), std::string::npos) << PictureLabel();
  EXPECT_EQ(WallpaperCentre(), kGreen);
  // With room again, the current picture is added as the newest.
  ASSERT_TRUE(SendLinkClick(window_, IDC_FIRST_WALLPAPER_LABEL));
  ASSERT_TRUE(SendLinkClick(window_, IDC_ADD_FAVORITE_LABEL));
  EXPECT_TRUE(program_.OtherVisibleWindows(window_).empty()) << "no warning below twenty";

  const std::string options = CloseAndReadOptions();
  EXPECT_NE(options.find("[FavoritePictures]\r\nCount=20\r\n"), std::string::npos) << options;
  EXPECT_NE(options.find("Title18=" + folder + "b.bmp\r\nTitle19=" + folder + "a.bmp\r\n"), std::string::npos)
      << options;
  EXPECT_EQ(options.find("c.bmp"), std::string::npos) << options;
}

TEST_F(CommandsTest, ColorPanelsPickFromBothDialogsRestoreTheDefaultAndDropOnAnotherPanel) {
  ASSERT_NO_FATAL_FAILURE(StartWith());
  HWND filling = TProgramUnderTest::FindControl(window_, IDC_FILLING_COLOR_PANEL);
  // FrameBack5Color and FrameBack6Color, the 78th and 79th rows of the skin.
  HWND frameBack5 = TProgramUnderTest::FindControl(window_, IDC_CALENDAR_SKIN_FIRST + 77);
  HWND frameBack6 = TProgramUnderTest::FindControl(window_, IDC_CALENDAR_SKIN_FIRST + 78);
  ASSERT_NE(filling, nullptr);
  ASSERT_NE(frameBack5, nullptr);
  ASSERT_NE(frameBack6, nullptr);
  // A press on a panel and its release over another one on screen.
  const auto drag = [&](HWND source, HWND target) {
    RECT onto;
    GetWindowRect(target, &onto);
    POINT release = {(onto.left + onto.right) / 2, (onto.top + onto.bottom) / 2};
    ScreenToClient(source, &release);
    PostMessageA(source, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageA(source, WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
  };

  // A double click opens the stock colours; a click on a cell picks it and closes them.
  PostMessageA(filling, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  HWND stock = WaitForDialog("Stock colors");
  ASSERT_NE(stock, nullptr);
  HWND teal = TProgramUnderTest::FindControl(stock, IDC_COLOR_FIRST_CELL + 7);
  ASSERT_NE(teal, nullptr);
  PostMessageA(teal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(stock); }, kActionMs));
  ASSERT_TRUE(WaitForNextWallpaper());

  // Dragged onto a calendar panel, the colour is copied there and the wallpaper redrawn.
  ASSERT_TRUE(ShowPage(IDC_MAIN_PAGE_CONTROL, 1));
  ASSERT_TRUE(ShowPage(IDC_CALENDAR_PAGE_CONTROL, 2));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(frameBack5) && IsWindowVisible(frameBack6); }, kActionMs));
  drag(filling, frameBack5);
  ASSERT_TRUE(WaitForNextWallpaper());

  // A right click opens the system's colour dialog: cancelled it changes nothing...
  PostMessageA(filling, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
  HWND colors = WaitForDialog("Color");
  ASSERT_NE(colors, nullptr);
  ASSERT_TRUE(Press(colors, IDCANCEL));
  ASSERT_TRUE(SendLinkClick(window_, IDC_CLIP_PICTURE_TITLE_LABEL));  // handled after the dialog
  EXPECT_EQ(installs_.Count(), seenInstalls_);
  // ...confirmed it takes the colour typed into it: red 1, green 2, blue 3.
  PostMessageA(filling, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
  colors = WaitForDialog("Color");
  ASSERT_NE(colors, nullptr);
  for (const auto& [field, value] : {std::pair<int, const char*>{706, "1"}, {707, "2"}, {708, "3"}})
    SendMessageA(GetDlgItem(colors, field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
  ASSERT_TRUE(Press(colors, IDOK));
  ASSERT_TRUE(WaitForNextWallpaper());
  drag(filling, frameBack6);
  ASSERT_TRUE(WaitForNextWallpaper());

  // A middle click restores the default, black.
  PostMessageA(filling, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(3, 3));
  ASSERT_TRUE(WaitForNextWallpaper());

  const std::string options = CloseAndReadOptions();
  EXPECT_NE(options.find("\r\nFillingPictureColor=0\r\n"), std::string::npos) << options;
  EXPECT_NE(options.find("\r\nFrameBack5Color=8552960\r\n"), std::string::npos) << "Teal (0, 130, 130)\n" << options;
  EXPECT_NE(options.find("\r\nFrameBack6Color=197121\r\n"), std::string::npos) << "(1, 2, 3)\n" << options;
}

TEST_F(CommandsTest, SkinFilesSaveAndLoadWholeOrColoursOnlyAndTheDefaultComesBack) {
  ASSERT_NO_FATAL_FAILURE(StartWith());
  CreateDirectoryA(program_.PathInFolder("CalendarSkins").c_str(), nullptr);  // the program may have made it
  const std::string skin = program_.PathInFolder("CalendarSkins\\mine.wps");
  constexpr int kMonthTextSize = IDC_CALENDAR_SKIN_FIRST + 45;
  ASSERT_EQ(ControlText(window_, kMonthTextSize), "20");
  ASSERT_TRUE(SelectComboText(window_, kMonthTextSize, "32"));
  ASSERT_TRUE(WaitForNextWallpaper());

  // Saved under a name typed without its extension.
  ASSERT_TRUE(ClickLink(window_, IDC_CALENDAR_SAVE_SKIN_LABEL));
  ASSERT_TRUE(ChooseInFileDialog("Save As", program_.PathInFolder("CalendarSkins\\mine")));
  ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(skin).find("\r\nMonthTextSize=32\r\n") != std::string::npos; },
                        kActionMs));
  EXPECT_EQ(ReadWholeFile(skin).rfind("[CalendarSkin]\r\nTextEffect=Outline\r\n", 0), 0u);

  ASSERT_TRUE(SendLinkClick(window_, IDC_CALENDAR_DEFAULT_SKIN_LABEL));
  EXPECT_EQ(ControlText(window_, kMonthTextSize), "20");
  EXPECT_TRUE(WaitForNextWallpaper());

  ASSERT_TRUE(ClickLink(window_, IDC_CALENDAR_LOAD_SKIN_LABEL));
  ASSERT_TRUE(ChooseInFileDialog("Load calendar skin", skin));
  ASSERT_TRUE(WaitForNextWallpaper());
  EXPECT_EQ(ControlText(window_, kMonthTextSize), "32");

  // The colours alone: a changed size in the file stays out, a changed colour comes in.
  std::string text = ReadWholeFile(skin);
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"MonthTextSize=32", "MonthTextSize=40"},
                                 {"FrameBack5Color=11811890", "FrameBack5Color=255"}}) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  }
  WriteWholeFile(skin, text);
  ASSERT_TRUE(ClickLink(window_, IDC_CALENDAR_LOAD_SKIN_COLORS_LABEL));
  ASSERT_TRUE(ChooseInFileDialog("Load calendar colors", skin));
  ASSERT_TRUE(WaitForNextWallpaper());
  EXPECT_EQ(ControlText(window_, kMonthTextSize), "32");
  const std::string options = CloseAndReadOptions();
  EXPECT_NE(options.find("\r\nMonthTextSize=32\r\n"), std::string::npos) << options;
  EXPECT_NE(options.find("\r\nFrameBack5Color=255\r\n"), std::string::npos) << options;
}

}  // namespace
