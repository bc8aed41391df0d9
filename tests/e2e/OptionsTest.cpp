// The options file seen from outside: what the controls write at close, what
// a restart reads back, files from other versions, a save that cannot write,
// and the Startup-folder shortcut that follows the Autorun option.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ProgramHarness.h"
#include "core/settings/OptionsTable.h"
#include "platform/ShellLink.h"
#include "resources/resource.h"

namespace {

// The file as sections of keys, both in file order.
using TKeys = std::vector<std::pair<std::string, std::string>>;
using TSections = std::vector<std::pair<std::string, TKeys>>;

TSections ParseIni(const std::string& text) {
  TSections sections;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']') {
      sections.push_back({line.substr(1, line.size() - 2), {}});
    } else if (!sections.empty()) {
      const size_t equals = line.find('=');
      sections.back().second.push_back({line.substr(0, equals), equals == std::string::npos ? "" : line.substr(equals + 1)});
    }
  }
  return sections;
}

const TKeys* FindSection(const TSections& sections, const std::string& name) {
  for (const auto& [section, keys] : sections)
    if (section == name) return &keys;
  return nullptr;
}

// A key's value; "<missing>" when the key or its section is absent.
std::string Value(const TSections& sections, const std::string& section, const std::string& key) {
  if (const TKeys* keys = FindSection(sections, section))
    for (const auto& [name, value] : *keys)
      if (name == key) return value;
  return "<missing>";
}

std::vector<std::string> KeyNames(const TSections& sections, const std::string& section) {
  std::vector<std::string> names;
  if (const TKeys* keys = FindSection(sections, section))
    for (const auto& entry : *keys) names.push_back(entry.first);
  return names;
}

std::vector<std::string> SectionNames(const TSections& sections) {
  std::vector<std::string> names;
  for (const auto& entry : sections) names.push_back(entry.first);
  return names;
}

// The identifier of an option control of the product's options table, by its name.
int ControlId(const std::string& name) {
  static const std::pair<const char*, int> ids[] = {
      {"AutorunCheckBox", IDC_AUTORUN_CHECKBOX},
      {"HideOnCloseCheckBox", IDC_HIDE_ON_CLOSE_CHECKBOX},
      {"HotkeyComboBox", IDC_HOTKEY_COMBOBOX},
      {"DesktopMarginComboBox", IDC_DESKTOP_MARGIN_COMBOBOX},
      {"IsAutoChangeWallpaperCheckBox", IDC_IS_AUTO_CHANGE_CHECKBOX},
      {"AutoChangeWallpaperIntervalComboBox", IDC_AUTO_CHANGE_INTERVAL_COMBOBOX},
      {"UseAutoChangeWallpaperStartTimeCheckBox", IDC_USE_START_TIME_CHECKBOX},
      {"AutoChangeWallpaperStartTimeComboBox", IDC_START_TIME_COMBOBOX},
      {"RandomWallpaperCheckBox", IDC_RANDOM_WALLPAPER_CHECKBOX},
      {"PictureMinStretchSizeComboBox", IDC_MIN_STRETCH_SIZE_COMBOBOX},
      {"PictureMaxStretchSkewComboBox", IDC_MAX_STRETCH_SKEW_COMBOBOX},
      {"FitAndCropCheckBox", IDC_FIT_AND_CROP_CHECKBOX},
      {"StretchPictureCheckBox", IDC_STRETCH_PICTURE_CHECKBOX},
      {"FitBeforeTileCheckBox", IDC_FIT_BEFORE_TILE_CHECKBOX},
      {"IsTileCheckBox", IDC_IS_TILE_CHECKBOX},
      {"UsePictureNormalizeBrightnessCheckBox", IDC_USE_NORMALIZE_CHECKBOX},
      {"PictureNormalizeBrightnessLevelComboBox", IDC_NORMALIZE_LEVEL_COMBOBOX},
      {"PictureNormalizeBrightnessMethodComboBox", IDC_NORMALIZE_METHOD_COMBOBOX},
      {"GammaPictureComboBox", IDC_GAMMA_COMBOBOX},
      {"ShowCalendarCheckBox", IDC_SHOW_CALENDAR_CHECKBOX},
      {"IsBroadcastWallpaperChangeCheckBox", IDC_IS_BROADCAST_CHECKBOX},
      {"BroadcastWallpaperChangeIntervalComboBox", IDC_BROADCAST_INTERVAL_COMBOBOX},
  };
  for (const auto& [controlName, id] : ids)
    if (name == controlName) return id;
  ADD_FAILURE() << "no identifier for the option control " << name;
  return 0;
}

// The rows of the product's options table whose control is of a kind; Autorun,
// which has a test of its own, is left out.
std::vector<const TOption*> OptionControls(TOptionKind kind) {
  std::vector<const TOption*> rows;
  for (const TOption& option : OptionsTable())
    if (option.Kind == kind && option.Holder != "AutorunCheckBox") rows.push_back(&option);
  return rows;
}

RECT WorkArea() {
  RECT area = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

unsigned long long WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

// The program in its own folder, whose picture directory holds no picture, so
// that no timer tick composes or stamps anything between load and save.
class TOptionsRun {
 public:
  std::string DirectoryRows() const {
    return "[DirectoryList]\r\nCount=1\r\nTitle0=" + program.Folder() + "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n";
  }

  // Starts on the given options file and waits until they are in the controls.
  void Start(const std::string& options, bool expectDirectoryPrompt = false) {
    program.WriteFile("Muralotrope.ini", options);
    ASSERT_TRUE(program.Start("ShowOnStart"));
    window = program.WaitForTopWindow("Muralotrope", 30000, "#32770");
    ASSERT_NE(window, nullptr);
    if (expectDirectoryPrompt) {
      // An empty directory list asks for a first directory; decline it.
      HWND prompt = nullptr;
      ASSERT_TRUE(WaitUntil([&] { return (prompt = FindPrompt()) != nullptr; }, 20000));
      PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
      ASSERT_TRUE(WaitUntil([&] { return FindPrompt() == nullptr; }, 20000));
    } else {
      // The directory rows are loaded after every option control.
      ASSERT_TRUE(WaitUntil([&] {
        HWND list = Control(IDC_DIRECTORIES_LISTBOX);
        return list && SendMessageA(list, LB_GETCOUNT, 0, 0) > 0;
      }, 20000));
    }
    // The hotkeys are registered once loading has passed the "Hotkey" key.
    ASSERT_TRUE(WaitUntil([&] { return Text(IDC_HOTKEY_COMBOBOX).size() == 1 &&
                                       !IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, Text(IDC_HOTKEY_COMBOBOX)[0]); },
                          20000));
  }

  // Closes for real through the Close link, which saves the options.
  void CloseThroughLink() const {
    HWND link = Control(IDC_CLOSE_PROGRAM_LABEL);
    ASSERT_NE(link, nullptr);
    PostMessageA(GetParent(link), WM_COMMAND, MAKEWPARAM(IDC_CLOSE_PROGRAM_LABEL, STN_CLICKED),
                 reinterpret_cast<LPARAM>(link));
  }
  void CloseAndWait() {
    CloseThroughLink();
    ASSERT_EQ(program.WaitForExit(20000), 0);
  }

  HWND Control(int id) const { return TProgramUnderTest::FindControl(window, id); }
  std::string Text(int id) const {
    char text[1024] = {};
    SendMessageA(Control(id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }
  bool Checked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }

  // Selects the item after the current one, as a user would; its text.
  std::string SelectNextItem(int id) const {
    HWND box = Control(id);
    const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    const LRESULT index = (SendMessageA(box, CB_GETCURSEL, 0, 0) + 1) % count;
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    return Text(id);
  }

  TSections File() const { return ParseIni(program.ReadFile("Muralotrope.ini")); }

  // Presses Okay on the error window once it shows; the text of its report.
  std::string AcceptErrorWindow() const {
    HWND error = nullptr;
    WaitUntil([&] {
      error = program.FindTopWindow("Error", "#32770");
      return error && IsWindowVisible(error);
    }, 20000);
    if (!error) return "";
    char memo[4096] = {};
    GetDlgItemTextA(error, IDC_ERROR_MEMO, memo, sizeof memo);
    PostMessageA(error, WM_COMMAND, MAKEWPARAM(IDC_ERROR_OKAY, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(error, IDC_ERROR_OKAY)));
    return memo;
  }

  void DeclineDirectoryPrompt() const {
    HWND prompt = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (prompt = FindPrompt()) != nullptr; }, 20000));
    PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return FindPrompt() == nullptr; }, 20000));
  }

  TProgramUnderTest program;
  HWND window = nullptr;

 private:
  // The folder browser: a dialog of the program other than the main window.
  HWND FindPrompt() const {
    struct TSearch { DWORD processId; HWND main; HWND found; } search{program.ProcessId(), window, nullptr};
    EnumWindows(
        [](HWND candidate, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<TSearch*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(candidate, &owner);
          char cls[64] = {};
          GetClassNameA(candidate, cls, sizeof cls);
          if (owner != s->processId || candidate == s->main || !IsWindowVisible(candidate) ||
              std::string(cls) != "#32770")
            return TRUE;
          s->found = candidate;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
};

TEST(OptionsTest, ControlsSurviveARestartInFileOrderAndAnUnchangedRunRewritesTheSameFile) {
  TOptionsRun first;
  const std::string title = first.program.Folder() + "\\gone.xyz";
  ASSERT_NO_FATAL_FAILURE(first.Start("[Main]\r\nAutorun=FALSE\r\nHandAdded=1\r\n[Hand]\r\nKey=1\r\n"
              "[Wallpaper]\r\nLastAutoChangeTime=45000.25\r\nLastFileTitle=" + title +
              "\r\nFillingPictureColor=clRed\r\n"
              "[Calendar]\r\nRectLeft=0.25\r\nRectTop=0.5\r\nRectWidth=0.2\r\nRectHeight=0.3\r\n"
              "LastRedrawTime=45000.5\r\nLastCalendarSkinName=Blue.wps\r\n"
              "[BroadcastWallpaperChange]\r\nIsAutoChange=FALSE\r\nLastAutoChangeTime=45000.75\r\n" +
              first.DirectoryRows()));
  const std::vector<const TOption*> checkBoxes = OptionControls(TOptionKind::CheckBox);
  const std::vector<const TOption*> comboBoxes = OptionControls(TOptionKind::ComboBox);
  ASSERT_EQ(checkBoxes.size(), 11u);
  ASSERT_EQ(comboBoxes.size(), 10u);
  std::vector<bool> checked;
  for (const TOption* box : checkBoxes) {
    checked.push_back(!first.Checked(ControlId(box->Holder)));
    first.Click(ControlId(box->Holder));
  }
  std::vector<std::string> chosen;
  for (const TOption* box : comboBoxes) chosen.push_back(first.SelectNextItem(ControlId(box->Holder)));
  ASSERT_NO_FATAL_FAILURE(first.CloseAndWait());

  const std::string saved = first.program.ReadFile("Muralotrope.ini");
  const TSections file = ParseIni(saved);
  EXPECT_EQ(SectionNames(file), (std::vector<std::string>{"Main", "Wallpaper", "Calendar", "CalendarSkin",
                                                          "BroadcastWallpaperChange", "DirectoryList",
                                                          "FavoritePictures"}));
  EXPECT_EQ(KeyNames(file, "Main"),
            (std::vector<std::string>{"XPos", "YPos", "Autorun", "HideOnClose", "Hotkey", "DesktopMargin"}));
  EXPECT_EQ(KeyNames(file, "Wallpaper"),
            (std::vector<std::string>{"IsAutoChange", "AutoChangeInterval", "UseAutoChangeStartTime",
                                      "AutoChangeStartTime", "IsRandomWallpaper", "LastAutoChangeTime",
                                      "LastFileTitle", "FillingPictureColor", "PictureMinStretchSize",
                                      "PictureMaxStretchSkew", "FitAndCropPicture", "StretchPicture",
                                      "IsFitBeforeTilePicture", "IsTilePicture", "UsePictureNormalizeBrightness",
                                      "PictureNormalizeBrightnessLevel", "PictureNormalizeBrightnessMethod",
                                      "GammaPicture"}));
  EXPECT_EQ(KeyNames(file, "Calendar"), (std::vector<std::string>{"Show", "RectLeft", "RectTop", "RectWidth",
                                                                  "RectHeight", "LastRedrawTime",
                                                                  "LastCalendarSkinName"}));
  EXPECT_EQ(KeyNames(file, "BroadcastWallpaperChange"),
            (std::vector<std::string>{"IsAutoChange", "AutoChangeInterval", "LastAutoChangeTime"}));
  EXPECT_EQ(KeyNames(file, "DirectoryList"),
            (std::vector<std::string>{"Count", "Title0", "Active0", "Recurs0"}));
  EXPECT_EQ(KeyNames(file, "CalendarSkin").size(), 91u);
  // The file holds the keys of the product's table in the table's order.
  std::vector<std::pair<std::string, std::vector<std::string>>> tableKeys;
  for (const TOption& option : OptionsTable()) {
    if (option.Keys.empty()) continue;
    if (tableKeys.empty() || tableKeys.back().first != option.Section) tableKeys.push_back({option.Section, {}});
    tableKeys.back().second.insert(tableKeys.back().second.end(), option.Keys.begin(), option.Keys.end());
  }
  ASSERT_EQ(tableKeys.size(), 4u);
  for (const auto& [section, keys] : tableKeys) EXPECT_EQ(KeyNames(file, section), keys) << section;

  for (size_t i = 0; i < checkBoxes.size(); ++i)
    EXPECT_EQ(Value(file, checkBoxes[i]->Section, checkBoxes[i]->Key()), checked[i] ? "TRUE" : "FALSE")
        << checkBoxes[i]->Key();
  for (size_t i = 0; i < comboBoxes.size(); ++i)
    EXPECT_EQ(Value(file, comboBoxes[i]->Section, comboBoxes[i]->Key()), chosen[i]) << comboBoxes[i]->Key();
  EXPECT_EQ(Value(file, "Wallpaper", "LastAutoChangeTime"), "45000.25");
  EXPECT_EQ(Value(file, "Wallpaper", "LastFileTitle"), title);
  EXPECT_EQ(Value(file, "Wallpaper", "FillingPictureColor"), "255");
  EXPECT_EQ(Value(file, "Calendar", "RectLeft"), "0.25");
  EXPECT_EQ(Value(file, "Calendar", "RectHeight"), "0.3");
  EXPECT_EQ(Value(file, "Calendar", "LastRedrawTime"), "45000.5");
  EXPECT_EQ(Value(file, "Calendar", "LastCalendarSkinName"), "Blue.wps");
  EXPECT_EQ(Value(file, "BroadcastWallpaperChange", "LastAutoChangeTime"), "45000.75");
  EXPECT_EQ(Value(file, "Main", "Autorun"), "FALSE");

  // The second run finds every value in its control and writes the file unchanged.
  TOptionsRun second;
  ASSERT_NO_FATAL_FAILURE(second.Start(saved));
  for (size_t i = 0; i < checkBoxes.size(); ++i)
    EXPECT_EQ(second.Checked(ControlId(checkBoxes[i]->Holder)), checked[i]) << checkBoxes[i]->Key();
  for (size_t i = 0; i < comboBoxes.size(); ++i)
    EXPECT_EQ(second.Text(ControlId(comboBoxes[i]->Holder)), chosen[i]) << comboBoxes[i]->Key();
  EXPECT_FALSE(IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, second.Text(IDC_HOTKEY_COMBOBOX)[0]));
  RECT position = {};
  GetWindowRect(second.window, &position);
  EXPECT_EQ(std::to_string(position.left), Value(file, "Main", "XPos"));
  EXPECT_EQ(std::to_string(position.top), Value(file, "Main", "YPos"));
  ASSERT_NO_FATAL_FAILURE(second.CloseAndWait());
  EXPECT_EQ(second.program.ReadFile("Muralotrope.ini"), saved);
}

TEST(OptionsTest, AFileFromAnotherVersionLoadsWithTheDocumentedFallbacks) {
  TOptionsRun run;
  const std::string longText(300, 'x');
  ASSERT_NO_FATAL_FAILURE(run.Start("[Main]\r\nXPos=99999\r\nYPos=-5\r\nAutorun=FALSE\r\nHideOnClose=true\r\nHotkey=7\r\n"
            "DesktopMargin=33\r\nFromTheFuture=1\r\n"
            "[Wallpaper]\r\nIsRandomWallpaper=true\r\nLastFileTitle=C:\\" + longText + ".bmp\r\n"
            "[Calendar]\r\nShow=1\r\nRectLeft=0.5\r\nRectWidth=1.5\r\nLastCalendarSkinName=" + longText + "\r\n"
            "[DirectoryList]\r\nCount=150\r\nTitle0=" + run.program.Folder() + "\r\nActive0=TRUE\r\n",
            /*expectDirectoryPrompt=*/true));
  // "7" is no item: the first item is selected and the hotkeys use it.
  EXPECT_EQ(run.Text(IDC_HOTKEY_COMBOBOX), "A");
  EXPECT_FALSE(IsHotkeyFree(MOD_CONTROL | MOD_SHIFT, 'A'));
  EXPECT_EQ(run.Text(IDC_DESKTOP_MARGIN_COMBOBOX), "0");
  EXPECT_FALSE(run.Checked(IDC_HIDE_ON_CLOSE_CHECKBOX));
  EXPECT_FALSE(run.Checked(IDC_RANDOM_WALLPAPER_CHECKBOX));
  EXPECT_FALSE(run.Checked(IDC_SHOW_CALENDAR_CHECKBOX));
  // Missing keys and sections keep the controls' defaults.
  EXPECT_TRUE(run.Checked(IDC_IS_AUTO_CHANGE_CHECKBOX));
  EXPECT_EQ(run.Text(IDC_AUTO_CHANGE_INTERVAL_COMBOBOX), "1 hour");
  EXPECT_FALSE(run.Checked(IDC_USE_START_TIME_CHECKBOX));
  EXPECT_TRUE(run.Checked(IDC_STRETCH_PICTURE_CHECKBOX));
  EXPECT_EQ(run.Text(IDC_GAMMA_COMBOBOX), "100");
  EXPECT_TRUE(run.Checked(IDC_IS_BROADCAST_CHECKBOX));
  EXPECT_EQ(run.Text(IDC_BROADCAST_INTERVAL_COMBOBOX), "1 hour");
  // A Count outside 0 to 100 reads no directory at all.
  EXPECT_EQ(SendMessageA(run.Control(IDC_DIRECTORIES_LISTBOX), LB_GETCOUNT, 0, 0), 0);
  const RECT area = WorkArea();
  RECT position = {};
  GetWindowRect(run.window, &position);
  EXPECT_EQ(position.left, area.left);
  EXPECT_EQ(position.top, area.top);
  ASSERT_NO_FATAL_FAILURE(run.CloseAndWait());

  const TSections file = run.File();
  EXPECT_EQ(Value(file, "Main", "FromTheFuture"), "<missing>");
  EXPECT_EQ(Value(file, "Main", "Hotkey"), "A");
  EXPECT_EQ(Value(file, "Main", "HideOnClose"), "FALSE");
  EXPECT_EQ(Value(file, "Wallpaper", "LastFileTitle"), "");
  EXPECT_EQ(Value(file, "Calendar", "LastCalendarSkinName"), "");
  EXPECT_EQ(Value(file, "Calendar", "RectWidth"), "1");
  EXPECT_EQ(Value(file, "Calendar", "RectLeft"), "0");
  EXPECT_EQ(Value(file, "DirectoryList", "Count"), "0");
  EXPECT_EQ(Value(file, "DirectoryList", "Title0"), "<missing>");
  EXPECT_EQ(Value(file, "BroadcastWallpaperChange", "IsAutoChange"), "TRUE");
}

// Without a stored place the window opens at 354, 122, kept inside the work
// area like a stored place.
TEST(OptionsTest, WithoutAStoredPlaceTheWindowOpensAtItsDefaultPlace) {
  TOptionsRun run;
  ASSERT_NO_FATAL_FAILURE(run.Start("[Main]\r\nAutorun=FALSE\r\n" + run.DirectoryRows()));
  const RECT area = WorkArea();
  const LONG x = (354 < area.left || 354 > 0.9 * area.right) ? area.left : 354;
  const LONG y = (122 < area.top || 122 > 0.9 * area.bottom) ? area.top : 122;
  ASSERT_NE(x, area.left);  // the work area of the test desktop leaves the default as it is
  RECT position = {};
  GetWindowRect(run.window, &position);
  EXPECT_EQ(position.left, x);
  EXPECT_EQ(position.top, y);
}

TEST(OptionsTest, ASaveThatCannotReplaceTheFileReportsItAndKeepsTheFile) {
  TOptionsRun run;
  ASSERT_NO_FATAL_FAILURE(run.Start("[Main]\r\nAutorun=FALSE\r\nHotkey=K\r\n" + run.DirectoryRows()));
  run.Click(IDC_RANDOM_WALLPAPER_CHECKBOX);
  const std::string before = run.program.ReadFile("Muralotrope.ini");
  // An open file cannot be replaced.
  HANDLE holder = CreateFileA(run.program.PathInFolder("Muralotrope.ini").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  run.CloseThroughLink();

  HWND error = run.program.WaitForTopWindow("Error", 20000, "#32770");
  ASSERT_NE(error, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(error) != FALSE; }, 5000));
  char memo[4096] = {};
  GetDlgItemTextA(error, IDC_ERROR_MEMO, memo, sizeof memo);
  EXPECT_NE(std::string(memo).find("Failed to save file."), std::string::npos) << memo;
  HWND okay = GetDlgItem(error, IDC_ERROR_OKAY);
  PostMessageA(error, WM_COMMAND, MAKEWPARAM(IDC_ERROR_OKAY, BN_CLICKED), reinterpret_cast<LPARAM>(okay));
  EXPECT_EQ(run.program.WaitForExit(20000), 0);
  CloseHandle(holder);

  EXPECT_EQ(run.program.ReadFile("Muralotrope.ini"), before);
  // No half-written file is left beside it.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(run.program.PathInFolder("Muralotrope.ini?*").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST(OptionsTest, UnreadableColoursTakeTheirDefaultsAreReportedOnceAndNothingElseIsLost) {
  TOptionsRun run;
  const std::string favorite = run.program.Folder() + "\\kept.bmp";
  run.program.WriteFile("Muralotrope.ini",
                        "[Main]\r\nAutorun=FALSE\r\n[Wallpaper]\r\nFillingPictureColor=not a colour\r\n"
                        "[CalendarSkin]\r\nFrameBack2Color=greenish\r\nFrameBack3Color=clRed\r\n" +
                            run.DirectoryRows() + "[FavoritePictures]\r\nCount=1\r\nTitle0=" + favorite + "\r\n");
  ASSERT_TRUE(run.program.Start("ShowOnStart"));
  const std::string report = run.AcceptErrorWindow();
  EXPECT_NE(report.find("Some settings could not be read and take their defaults."), std::string::npos) << report;
  EXPECT_NE(report.find(run.program.PathInFolder("Muralotrope.ini")), std::string::npos) << report;
  EXPECT_NE(report.find("[Wallpaper] FillingPictureColor=not a colour; [CalendarSkin] FrameBack2Color=greenish"),
            std::string::npos)
      << report;
  // The load went on past the damaged values: the directory rows are there, so no prompt.
  run.window = run.program.WaitForTopWindow("Muralotrope", 30000, "#32770");
  ASSERT_NE(run.window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(run.Control(IDC_DIRECTORIES_LISTBOX), LB_GETCOUNT, 0, 0) == 1; },
                        20000));
  ASSERT_NO_FATAL_FAILURE(run.CloseAndWait());

  const TSections file = run.File();
  EXPECT_EQ(Value(file, "Wallpaper", "FillingPictureColor"), "0");
  EXPECT_EQ(Value(file, "CalendarSkin", "FrameBack2Color"), "9868950");
  EXPECT_EQ(Value(file, "CalendarSkin", "FrameBack3Color"), "255");
  EXPECT_EQ(Value(file, "DirectoryList", "Title0"), run.program.Folder());
  EXPECT_EQ(Value(file, "FavoritePictures", "Title0"), favorite);
  EXPECT_FALSE(run.program.FileExists("Muralotrope.ini.bak"));
}

TEST(OptionsTest, AFileThatCannotBeReadIsNamedOnceAtStartAndNeverOverwritten) {
  const std::string tooLarge = "[Main]\r\nAutorun=FALSE\r\n" + std::string(1024 * 1024, ';');
  for (const bool locked : {true, false}) {
    TOptionsRun run;
    const std::string original = locked ? "[Main]\r\nAutorun=FALSE\r\n" + run.DirectoryRows() : tooLarge;
    run.program.WriteFile("Muralotrope.ini", original);
    // Another program holds the file open without sharing it: it cannot be read.
    HANDLE holder = locked ? CreateFileA(run.program.PathInFolder("Muralotrope.ini").c_str(), GENERIC_READ, 0,
                                         nullptr, OPEN_EXISTING, 0, nullptr)
                           : INVALID_HANDLE_VALUE;
    ASSERT_EQ(holder != INVALID_HANDLE_VALUE, locked);
    ASSERT_TRUE(run.program.Start("ShowOnStart"));
    const std::string report = run.AcceptErrorWindow();
    EXPECT_NE(report.find("The options file \"" + run.program.PathInFolder("Muralotrope.ini") +
                          "\" could not be read and will not be overwritten."),
              std::string::npos)
        << report;
    run.window = run.program.WaitForTopWindow("Muralotrope", 30000, "#32770");
    ASSERT_NE(run.window, nullptr);
    ASSERT_NO_FATAL_FAILURE(run.DeclineDirectoryPrompt());
    run.Click(IDC_RANDOM_WALLPAPER_CHECKBOX);
    // Closing says nothing more: no window waits for an answer, the program ends.
    run.CloseThroughLink();
    EXPECT_EQ(run.program.WaitForExit(20000), 0) << (locked ? "locked" : "too large");
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    EXPECT_TRUE(run.program.ReadFile("Muralotrope.ini") == original) << (locked ? "locked" : "too large");
  }
}

class OptionsAutorunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    char folder[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, 0, folder)));
    link_ = std::string(folder) + "\\Muralotrope.lnk";
    DeleteFileA(link_.c_str());
  }
  void TearDown() override {
    DeleteFileA(link_.c_str());
    CoUninitialize();
  }

  // One run that only starts and closes again.
  void RunAndClose(TOptionsRun& run, const std::string& autorun) {
    ASSERT_NO_FATAL_FAILURE(run.Start("[Main]\r\nAutorun=" + autorun + "\r\n" + run.DirectoryRows()));
    ASSERT_NO_FATAL_FAILURE(run.CloseAndWait());
  }

  std::string link_;
};

TEST_F(OptionsAutorunTest, TheStartupShortcutFollowsTheOptionAtEachSave) {
  TOptionsRun run;
  const std::string target = run.program.PathInFolder("Muralotrope.exe");

  ASSERT_NO_FATAL_FAILURE(RunAndClose(run, "TRUE"));
  TLinkFile link;
  ASSERT_TRUE(link.Load(link_, false));
  EXPECT_EQ(_stricmp(link.ReferencePath.c_str(), target.c_str()), 0) << link.ReferencePath;
  EXPECT_EQ(link.WorkingPath, "");
  EXPECT_EQ(link.Arguments, "");
  EXPECT_EQ(link.ShowCommand, 7);

  // Unchanged: the shortcut is not written again.
  const unsigned long long written = WriteTime(link_);
  ASSERT_NO_FATAL_FAILURE(RunAndClose(run, "TRUE"));
  EXPECT_EQ(WriteTime(link_), written);

  // Another show command: rewritten.
  link.ShowCommand = 1;
  ASSERT_TRUE(link.Save(link_, true));
  ASSERT_NO_FATAL_FAILURE(RunAndClose(run, "TRUE"));
  ASSERT_TRUE(link.Load(link_, false));
  EXPECT_EQ(link.ShowCommand, 7);

  // Unchecking removes it at the next save, not at the click.
  ASSERT_NO_FATAL_FAILURE(run.Start("[Main]\r\nAutorun=TRUE\r\n" + run.DirectoryRows()));
  run.Click(IDC_AUTORUN_CHECKBOX);
  EXPECT_NE(GetFileAttributesA(link_.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_NO_FATAL_FAILURE(run.CloseAndWait());
  EXPECT_EQ(GetFileAttributesA(link_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Value(run.File(), "Main", "Autorun"), "FALSE");
}

}  // namespace
