// The main window's structure and geometry, read from the running program:
// the pages in order with their captions, the controls of the fixed pages, and
// that every control and its text fit inside the window that holds it.
// With MURALOTROPE_SHOTS set to a folder, every page and window is also saved
// there as a BMP picture, for a person to look at.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ProgramHarness.h"
#include "TestPictures.h"
#include "resources/resource.h"

namespace {

std::string OptionsWithOneDirectory(const std::string& folder) {
  return "[DirectoryList]\r\nCount=1\r\nTitle0=" + folder + "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n";
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

// A rectangle of a window in its parent's client coordinates.
RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Memory in the program's process, for the tab messages whose pointers are not
// carried across processes.
class TRemoteMemory {
 public:
  TRemoteMemory(HANDLE process, size_t size)
      : process_(process),
        address_(static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
  ~TRemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  char* Address() const { return address_; }
  void Write(size_t offset, const void* data, size_t size) {
    WriteProcessMemory(process_, address_ + offset, data, size, nullptr);
  }
  void Read(size_t offset, void* data, size_t size) const {
    ReadProcessMemory(process_, address_ + offset, data, size, nullptr);
  }

 private:
  HANDLE process_;
  char* address_;
};

std::vector<std::string> TabCaptions(HANDLE process, HWND tab) {
  std::vector<std::string> captions;
  const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  TRemoteMemory memory(process, sizeof(TCITEMA) + 256);
  for (int i = 0; i < count; ++i) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = memory.Address() + sizeof(TCITEMA);
    item.cchTextMax = 255;
    memory.Write(0, &item, sizeof item);
    char empty[256] = {};
    memory.Write(sizeof(TCITEMA), empty, sizeof empty);
    SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(memory.Address()));
    char text[256] = {};
    memory.Read(sizeof(TCITEMA), text, 255);
    captions.push_back(text);
  }
  return captions;
}

// The tabs that lie (partly) beyond the tab control's right edge, which the
// control then scrolls with arrow buttons.
std::vector<std::string> HiddenTabs(HANDLE process, HWND tab) {
  std::vector<std::string> hidden;
  const std::vector<std::string> captions = TabCaptions(process, tab);
  RECT client;
  GetClientRect(tab, &client);
  TRemoteMemory memory(process, sizeof(RECT));
  for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
    RECT item = {};
    memory.Write(0, &item, sizeof item);
    SendMessageA(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(memory.Address()));
    memory.Read(0, &item, sizeof item);
    if (item.right > client.right || item.right <= item.left) hidden.push_back(captions[i]);
  }
  return hidden;
}

// The page of a tab control that is shown: the visible dialog beside the tab.
HWND VisiblePage(HWND tab) {
  HWND shown = nullptr;
  for (HWND child : ChildrenOf(GetParent(tab)))
    if (ClassOf(child) == "#32770" && IsWindowVisible(child)) {
      if (shown) return nullptr;  // two pages at once
      shown = child;
    }
  return shown;
}

// Brings a tab's page to the front as a click on the tab does: for a tab
// control without buttons, moving the focus selects and notifies the owner.
HWND ShowPage(HWND tab, int index) {
  SendMessageA(tab, TCM_SETCURFOCUS, index, 0);
  HWND page = nullptr;
  WaitUntil([&] {
    page = SendMessageA(tab, TCM_GETCURSEL, 0, 0) == index ? VisiblePage(tab) : nullptr;
    return page != nullptr;
  }, 10000);
  return page;
}

// A list item through the wide message, which is carried across processes whole.
std::string ComboItem(HWND box, int index) {
  wchar_t wide[256] = {};
  SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide));
  char text[512] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

std::vector<std::string> ComboItems(HWND box) {
  std::vector<std::string> items;
  const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) items.push_back(ComboItem(box, i));
  return items;
}

std::string ComboText(HWND box) {
  const int index = static_cast<int>(SendMessageA(box, CB_GETCURSEL, 0, 0));
  return index < 0 ? std::string() : ComboItem(box, index);
}

std::vector<std::string> Numbers(int first, int last, int step) {
  std::vector<std::string> items;
  for (int value = first; value <= last; value += step) items.push_back(std::to_string(value));
  return items;
}

// ---- Geometry ----

// The windows' font: Arial with a 9-point (12 pixels at 96 DPI) character height.
class TWindowFont {
 public:
  explicit TWindowFont(UINT dpi)
      : dpi_(dpi),
        font_(CreateFontA(-MulDiv(9, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, 0, 0, 0, 0, "Arial")),
        dc_(CreateCompatibleDC(nullptr)) {
    old_ = SelectObject(dc_, font_);
  }
  ~TWindowFont() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(font_);
  }
  // The size the text needs when wrapped at width (or on one line with width 0).
  SIZE Measure(const std::string& text, int width, UINT flags) const {
    RECT rect = {0, 0, width > 0 ? width : 100000, 0};
    DrawTextA(dc_, text.c_str(), -1, &rect, DT_CALCRECT | flags | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    return SIZE{rect.right, rect.bottom};
  }
  int Scaled(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), 96); }

 private:
  UINT dpi_;
  HFONT font_;
  HDC dc_;
  HGDIOBJ old_;
};

// What does not fit in one window: children outside its client area or over
// each other, and texts, check boxes, buttons and lists too small for their
// text. Each fault is one line naming the control by id and text.
std::vector<std::string> LayoutFaults(HWND window, const std::string& where) {
  std::vector<std::string> faults;
  const TWindowFont font(GetDpiForWindow(window));
  RECT client;
  GetClientRect(window, &client);
  const auto name = [&](HWND control) {
    return where + ": control " + std::to_string(GetDlgCtrlID(control)) + " \"" + WindowText(control) + "\" ";
  };
  std::vector<HWND> shown;
  for (HWND control : ChildrenOf(window))
    if (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) shown.push_back(control);
  for (size_t i = 0; i < shown.size(); ++i) {
    HWND control = shown[i];
    const RECT rect = RectInParent(control);
    if (rect.left < 0 || rect.top < 0 || rect.right > client.right || rect.bottom > client.bottom)
      faults.push_back(name(control) + "leaves the client area");
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const std::string kind = ClassOf(control);
    const bool groupBox = kind == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX;
    for (size_t j = i + 1; j < shown.size() && !groupBox; ++j) {
      const RECT other = RectInParent(shown[j]);
      RECT overlap;
      const bool otherGroup = ClassOf(shown[j]) == "Button" &&
                              (GetWindowLongA(shown[j], GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
      // A page lies on its tab control; the colour cells lie on their empty panel.
      const bool pageOnTab = (kind == "#32770" && ClassOf(shown[j]) == WC_TABCONTROLA) ||
                             (kind == WC_TABCONTROLA && ClassOf(shown[j]) == "#32770");
      const auto panelHolds = [](HWND panel, const RECT& outer, const RECT& inner) {
        RECT both;
        return ClassOf(panel) == "Static" && WindowText(panel).empty() && IntersectRect(&both, &outer, &inner) &&
               EqualRect(&both, &inner);
      };
      const bool onPanel = panelHolds(control, rect, other) || panelHolds(shown[j], other, rect);
      if (!otherGroup && !pageOnTab && !onPanel && IntersectRect(&overlap, &rect, &other))
        faults.push_back(name(control) + "overlaps " + name(shown[j]));
    }
    RECT inside;
    GetClientRect(control, &inside);
    const std::string text = WindowText(control);
    if (kind == "Static" && !text.empty() && (style & SS_TYPEMASK) != SS_OWNERDRAW) {
      const bool oneLine = (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
      const UINT flags = ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0) | ((style & SS_EDITCONTROL) ? DT_EDITCONTROL : 0);
      const SIZE need = font.Measure(text, oneLine ? 0 : inside.right, flags);
      if (need.cx > inside.right || need.cy > inside.bottom)
        faults.push_back(name(control) + "cuts its text off");
    } else if (kind == "Button" && !text.empty() && !groupBox) {
      const LONG type = style & BS_TYPEMASK;
      const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                       type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
      const SIZE need = font.Measure(text, 0, 0);
      const int frame = box ? font.Scaled(13 + 6) : font.Scaled(8);
      if (need.cx + frame > inside.right || need.cy > inside.bottom)
        faults.push_back(name(control) + "cuts its text off");
    } else if (kind == "ComboBox") {
      // Lists whose dropped part is wider than the box (the font lists) show long items there.
      const int dropped = static_cast<int>(SendMessageA(control, CB_GETDROPPEDWIDTH, 0, 0));
      int widest = 0;
      for (const std::string& item : ComboItems(control)) widest = std::max<int>(widest, font.Measure(item, 0, DT_NOPREFIX).cx);
      const int button = GetSystemMetricsForDpi(SM_CXVSCROLL, GetDpiForWindow(window));
      if (dropped <= rect.right - rect.left && widest + button + font.Scaled(6) > rect.right - rect.left)
        faults.push_back(name(control) + "is narrower than its widest item");
    }
  }
  return faults;
}

// Saves a window's picture on the screen as "<MURALOTROPE_SHOTS>\<name>.bmp".
void SaveShot(HWND window, const std::string& name) {
  const char* folder = std::getenv("MURALOTROPE_SHOTS");
  if (!folder || !*folder) return;
  // The desktop may have painted a wallpaper over the windows: let them paint again.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(1000);  // only for the picture, never for a check
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const DWORD stride = ((width * 3 + 3) / 4) * 4;
  std::string pixels(stride * height, '\0');
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  BITMAPFILEHEADER header = {};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  const std::string path = std::string(folder) + "\\" + name + ".bmp";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, &header, sizeof header, &written, nullptr);
  WriteFile(file, &info, sizeof info, &written, nullptr);
  WriteFile(file, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  CloseHandle(file);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

std::string FileNamePart(std::string text) {
  for (char& c : text)
    if (c == ' ') c = '_';
  return text;
}

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    // One picture in a folder with a long name, so that the current picture's
    // label has a long path to show.
    pictures_ = program_.PathInFolder("Pictures of a long summer on the coast with friends and family");
    CreateDirectoryA(pictures_.c_str(), nullptr);
    ASSERT_TRUE(WriteTestPicture(pictures_ + "\\picture.jpg", 64, 48, L"image/jpeg", 1));
    program_.WriteFile("Muralotrope.ini", OptionsWithOneDirectory(pictures_));
    ASSERT_TRUE(program_.Start("ShowOnStart"));
    window_ = program_.WaitForTopWindow("Muralotrope", 30000, "#32770");
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }, 30000));
    pages_ = TProgramUnderTest::FindControl(window_, IDC_PAGE_CONTROL);
    ASSERT_NE(pages_, nullptr);
  }
  HWND Control(int id) const { return TProgramUnderTest::FindControl(window_, id); }

  TProgramUnderTest program_;
  std::string pictures_;
  HWND window_ = nullptr;
  HWND pages_ = nullptr;
};

TEST_F(LayoutTest, PagesComeInOrderWithTheirCaptionsAndTheFirstOnesShowAtStart) {
  using Captions = std::vector<std::string>;
  EXPECT_EQ(TabCaptions(program_.Process(), pages_), (Captions{"Wallpaper", "Calendar", "General"}));
  HWND wallpaperPages = Control(IDC_PAGE_CONTROL2);
  HWND calendarPages = Control(IDC_PAGE_CONTROL1);
  ASSERT_NE(wallpaperPages, nullptr);
  ASSERT_NE(calendarPages, nullptr);
  EXPECT_EQ(TabCaptions(program_.Process(), wallpaperPages),
            (Captions{"General", "Resize", "Effects", "Directories", "Broadcast"}));
  EXPECT_EQ(TabCaptions(program_.Process(), calendarPages),
            (Captions{"General", "Back", "Back colors", "Header", "Year", "Month", "Day of week", "Days"}));

  // At start: "Wallpaper" with its "General", and "General" of the calendar behind it.
  EXPECT_EQ(SendMessageA(pages_, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageA(wallpaperPages, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageA(calendarPages, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(VisiblePage(pages_), GetParent(wallpaperPages));
  EXPECT_EQ(VisiblePage(wallpaperPages), GetParent(Control(IDC_NEXT_WALLPAPER_LABEL)));
  EXPECT_EQ(GetParent(calendarPages), ShowPage(pages_, 1));
  EXPECT_EQ(VisiblePage(calendarPages), GetParent(Control(IDC_SHOW_CALENDAR_CHECKBOX)));
  EXPECT_EQ(GetParent(Control(IDC_AUTORUN_CHECKBOX)), ShowPage(pages_, 2));
}

// One control of a fixed page: its caption, or its items and shown item, or its check state.
struct TExpectedControl {
  int Id;
  const char* Caption;  // null: a text the program sets at run time
  int Checked = -1;     // -1: not a check box
  std::vector<std::string> Items = {};
  const char* Shown = nullptr;
};

TEST_F(LayoutTest, FixedPagesCarryTheirControlsCaptionsItemsAndStates) {
  const std::vector<std::string> intervals = {"1 minute", "5 minutes", "15 minutes", "30 minutes", "1 hour",
                                              "2 hours",  "3 hours",   "6 hours",    "12 hours",   "20 hours",
                                              "1 day",    "2 days",    "3 days",     "1 week"};
  const std::vector<std::string> broadcastIntervals(intervals.begin() + 1, intervals.end());
  std::vector<std::string> letters;
  for (char c = 'A'; c <= 'Z'; ++c) letters.emplace_back(1, c);
  const struct {
    int Page;  // the page that holds the controls: the id of one of them
    std::vector<TExpectedControl> Controls;
  } pages[] = {
      {IDC_NEXT_WALLPAPER_LABEL,
       {{IDC_LOADED_PICTURES_COUNT_LABEL, nullptr},
        {IDC_LAST_PICTURE_LABEL, nullptr},
        {IDC_NEXT_WALLPAPER_LABEL, "Next"},
        {IDC_PREVIOUS_WALLPAPER_LABEL, "Previous"},
        {IDC_FIRST_WALLPAPER_LABEL, "First"},
        {IDC_LAST_WALLPAPER_LABEL, "Last"},
        {IDC_INDEX_WALLPAPER_LABEL, "Index"},
        {IDC_RANDOM_WALLPAPER_LABEL, "Random"},
        {IDC_USER_WALLPAPER_LABEL, "Use user wallpaper"},
        {IDC_SET_FAVORITE_LABEL, "Set favorite wallpaper"},
        {IDC_ADD_FAVORITE_LABEL, "Add picture to favorites"},
        {IDC_DELETE_FAVORITE_LABEL, "Delete favorite"},
        {IDC_REDRAW_WALLPAPER_LABEL, "Redraw wallpaper"},
        {IDC_VIEW_PICTURE_LABEL, "View picture"},
        {IDC_CLIP_PICTURE_TITLE_LABEL, "Clip picture file title"},
        {IDC_IS_AUTO_CHANGE_CHECKBOX, "Automatically change wallpaper every", 1},
        {IDC_AUTO_CHANGE_INTERVAL_COMBOBOX, "", -1, intervals, "1 hour"},
        {IDC_RANDOM_WALLPAPER_CHECKBOX, "Randomly", 0},
        {IDC_USE_START_TIME_CHECKBOX, "Automatically change from hour", 0},
        {IDC_START_TIME_COMBOBOX, "", -1, Numbers(0, 23, 1), "0"}}},
      {IDC_MIN_STRETCH_SIZE_COMBOBOX,
       {{IDC_RESIZE_HEADING, "Set the parameters which define how each picture is resized to fit the desktop"},
        {IDC_MIN_STRETCH_SIZE_CAPTION, "If the size of the picture is (on both axis) minimum (pixels)"},
        {IDC_MIN_STRETCH_SIZE_COMBOBOX, "", -1,
         {"-1", "100", "150", "200", "250", "300", "350", "400", "450", "500", "600", "700", "800", "900", "1000"},
         "300"},
        {IDC_FIT_AND_CROP_THEN_CAPTION, "Then if"},
        {IDC_FIT_AND_CROP_CHECKBOX, "then fit the smaller axis and crop the resized bigger axis", 0},
        {IDC_MAX_STRETCH_SKEW_CAPTION, "Else, if its aspect skew is maximum (%)"},
        {IDC_MAX_STRETCH_SKEW_COMBOBOX, "", -1,
         {"-1", "105", "110", "115", "120", "125", "130", "135", "140", "145", "150", "160", "170", "180"}, "120"},
        {IDC_STRETCH_THEN_CAPTION, "Then if"},
        {IDC_STRETCH_PICTURE_CHECKBOX, "then stretch picture", 1},
        {IDC_FIT_BEFORE_TILE_ELSE_CAPTION, "Else if"},
        {IDC_FIT_BEFORE_TILE_CHECKBOX, "then fit before tile", 1},
        {IDC_TILE_ELSE_CAPTION, "Else if"},
        {IDC_IS_TILE_CHECKBOX, "then tile", 1},
        {IDC_CENTER_ELSE_CAPTION, "Else center"},
        {IDC_CURRENT_SKEW_LABEL, nullptr}}},
      {IDC_GAMMA_COMBOBOX,
       {{IDC_EFFECTS_HEADING,
         "Set the parameters which affect the appearance of each picture which will be displayed as wallpaper"},
        {IDC_FILLING_COLOR_PANEL, ""},
        {IDC_USE_NORMALIZE_CHECKBOX, "Normalize brightness at level", 0},
        {IDC_NORMALIZE_LEVEL_COMBOBOX, "", -1, Numbers(5, 95, 5), "50"},
        {IDC_NORMALIZE_METHOD_COMBOBOX, "", -1, {"Anisotropic dampening", "Balanced scaling", "Mirrored scaling"},
         "Balanced scaling"},
        {IDC_GAMMA_CAPTION, "Gamma"},
        {IDC_GAMMA_COMBOBOX, "", -1,
         {"1",   "5",   "10",  "15",  "20",  "25",  "30",  "40",  "50",  "60",  "70",  "80",
          "90",  "100", "110", "120", "130", "140", "150", "160", "170", "180", "190", "200",
          "250", "300", "350", "400", "450", "500", "600", "700", "800", "900", "1000"},
         "100"},
        {IDC_APPLIED_NORM_FACTOR_LABEL, nullptr}}},
      {IDC_DIRECTORIES_LISTBOX,
       {{IDC_DIRECTORIES_HEADING, "List of directories from which picture file names are loaded"},
        {IDC_DIRECTORIES_LISTBOX, ""},
        {IDC_ADD_DIRECTORY_LABEL, "Add directory"},
        {IDC_DELETE_DIRECTORY_LABEL, "Delete directory"},
        {IDC_RELOAD_FILE_NAMES_LABEL, "Reload file names"},
        {IDC_CLIP_PICTURE_TITLES_LABEL, "Clip picture file titles"},
        {IDC_HOVER_DIRECTORY_LABEL, ""}}},
      {IDC_BROADCAST_INTERVAL_COMBOBOX,
       {{IDC_BROADCAST_HELP_LABEL, nullptr},
        {IDC_IS_BROADCAST_CHECKBOX, "Broadcast wallpaper change for other programs every", 1},
        {IDC_BROADCAST_INTERVAL_COMBOBOX, "", -1, broadcastIntervals, "1 hour"},
        {IDC_TEST_BROADCAST_HELP_LABEL, nullptr},
        {IDC_BROADCAST_NOW_LABEL, "Broadcast wallpaper change for other programs"},
        {IDC_BROADCAST_VIEW_PICTURE_LABEL, "View picture"}}},
      {IDC_AUTORUN_CHECKBOX,
       {{IDC_AUTORUN_CHECKBOX, "Automatically start program when the system starts", 1},
        {IDC_HIDE_ON_CLOSE_CHECKBOX, "Hide the program when it is closed", 1},
        {IDC_HOTKEY_CAPTION, "Hotkey letter"},
        {IDC_HOTKEY_COMBOBOX, "", -1, letters, "W"},
        {IDC_HOTKEY_EXPLANATION,
         "(\"Ctrl+Shift\" = next picture; \"Ctrl+Alt\" = previous picture; \"Shift+Alt\" = random picture)"},
        {IDC_DESKTOP_MARGIN_CAPTION, "Desktop margin"},
        {IDC_DESKTOP_MARGIN_COMBOBOX, "", -1, Numbers(0, 50, 5), "20"}}},
  };
  for (const auto& page : pages) {
    HWND sheet = GetParent(Control(page.Page));
    ASSERT_NE(sheet, nullptr) << page.Page;
    // Every control of the page is expected, and no other.
    EXPECT_EQ(ChildrenOf(sheet).size(), page.Controls.size()) << "page of " << page.Page;
    for (const TExpectedControl& expected : page.Controls) {
      HWND control = GetDlgItem(sheet, expected.Id);
      ASSERT_NE(control, nullptr) << expected.Id;
      if (expected.Caption) {
        EXPECT_EQ(WindowText(control), expected.Caption) << expected.Id;
      }
      if (expected.Checked >= 0) {
        EXPECT_EQ(SendMessageA(control, BM_GETCHECK, 0, 0), expected.Checked ? BST_CHECKED : BST_UNCHECKED)
            << expected.Id;
      }
      if (!expected.Items.empty()) {
        EXPECT_EQ(ComboItems(control), expected.Items) << expected.Id;
        EXPECT_EQ(ComboText(control), expected.Shown) << expected.Id;
      }
    }
  }
}

// Walks every page of every page control, checking and (on request) saving each.
TEST_F(LayoutTest, EveryControlAndItsTextFitTheirPage) {
  // The labels that show the current picture and its path have their texts.
  ASSERT_TRUE(WaitUntil([&] { return WindowText(Control(IDC_LAST_PICTURE_LABEL)).find("picture.jpg") != std::string::npos; },
                        30000));
  std::vector<std::string> faults = LayoutFaults(window_, "main window");
  const std::vector<std::string> top = TabCaptions(program_.Process(), pages_);
  EXPECT_EQ(HiddenTabs(program_.Process(), pages_), std::vector<std::string>());
  EXPECT_EQ(HiddenTabs(program_.Process(), Control(IDC_PAGE_CONTROL2)), std::vector<std::string>());
  EXPECT_EQ(HiddenTabs(program_.Process(), Control(IDC_PAGE_CONTROL1)), std::vector<std::string>());
  int shot = 0;
  for (int i = 0; i < static_cast<int>(top.size()); ++i) {
    HWND page = ShowPage(pages_, i);
    ASSERT_NE(page, nullptr) << top[i];
    const auto more = LayoutFaults(page, top[i]);
    faults.insert(faults.end(), more.begin(), more.end());
    HWND inner = nullptr;
    for (HWND child : ChildrenOf(page))
      if (ClassOf(child) == WC_TABCONTROLA) inner = child;
    if (!inner) {
      SaveShot(window_, std::to_string(++shot) + "_" + FileNamePart(top[i]));
      continue;
    }
    const std::vector<std::string> captions = TabCaptions(program_.Process(), inner);
    for (int j = 0; j < static_cast<int>(captions.size()); ++j) {
      HWND sheet = ShowPage(inner, j);
      ASSERT_NE(sheet, nullptr) << top[i] << " > " << captions[j];
      const auto sheetFaults = LayoutFaults(sheet, top[i] + " > " + captions[j]);
      faults.insert(faults.end(), sheetFaults.begin(), sheetFaults.end());
      SaveShot(window_, std::to_string(++shot) + "_" + FileNamePart(top[i] + "_" + captions[j]));
    }
  }
  for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

// The directory rows' flag cells hold their longest texts: "Active" in the
// cell 0..2h, "Recurs" in 2h..4.5h, each inset by 3 pixels on either side.
TEST_F(LayoutTest, DirectoryFlagCellsHoldTheirTexts) {
  HWND list = Control(IDC_DIRECTORIES_LISTBOX);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 1; }, 20000));
  const int h = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  const TWindowFont font(GetDpiForWindow(list));
  EXPECT_LE(font.Measure("Active", 0, DT_NOPREFIX).cx, 2 * h - 6) << "row height " << h;
  EXPECT_LE(font.Measure("Recurs", 0, DT_NOPREFIX).cx, 9 * h / 2 - 2 * h - 6) << "row height " << h;
  // The row is as high as the text it holds.
  EXPECT_GE(h, font.Measure("Active", 0, DT_NOPREFIX).cy + 4);
}

// A shown top-level window of a process that holds a control with this id.
HWND ShownWindowWithControl(DWORD processId, int id) {
  struct TSearch {
    DWORD ProcessId;
    int Id;
    HWND Found;
  } search = {processId, id, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<TSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->ProcessId || !IsWindowVisible(window) || !GetDlgItem(window, search->Id)) return TRUE;
        search->Found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

void Command(HWND window, int id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// The program's other windows: each is opened as a user would, checked like a
// page and closed again; the install window belongs to a second program in install mode.
TEST_F(LayoutTest, EveryOtherWindowFitsItsControlsAndTheirTexts) {
  const DWORD id = program_.ProcessId();
  const struct {
    const char* Name;
    int Marker;                      // a control only this window has
    std::function<void()> Open;
    int Close;                       // the command that closes it
  } windows[] = {
      {"About", IDC_ABOUT_PROGRAMS, [&] { Command(GetParent(Control(IDC_ABOUT_LABEL)), IDC_ABOUT_LABEL); }, IDOK},
      {"Desktop_position", IDC_DESKTOP_POSITION_PAINTBOX,
       [&] {
         HWND link = Control(IDC_CALENDAR_SET_DESKTOP_POSITION_LABEL);
         Command(GetParent(link), IDC_CALENDAR_SET_DESKTOP_POSITION_LABEL);
       },
       IDCANCEL},
      {"Stock_colors", IDC_COLORS_PANEL,
       [&] { PostMessageA(Control(IDC_FILLING_COLOR_PANEL), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4)); },
       IDCANCEL},
      // Viewing a broadcast picture that does not exist fails and shows the error window.
      {"Error", IDC_ERROR_MEMO,
       [&] {
         // Broadcasting stops without emptying the value, which then names a missing file.
         HWND broadcast = Control(IDC_IS_BROADCAST_CHECKBOX);
         SendMessageA(broadcast, BM_SETCHECK, BST_UNCHECKED, 0);
         const std::string missing = program_.PathInFolder("missing.jpg");
         RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Muralotrope", "BroadcastWallpaperChange", REG_SZ,
                         missing.c_str(), static_cast<DWORD>(missing.size() + 1));
         Command(GetParent(broadcast), IDC_BROADCAST_VIEW_PICTURE_LABEL);
       },
       IDC_ERROR_CANCEL},
  };
  std::vector<std::string> faults;
  for (const auto& window : windows) {
    window.Open();
    HWND shown = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (shown = ShownWindowWithControl(id, window.Marker)) != nullptr; }, 20000))
        << window.Name;
    const auto more = LayoutFaults(shown, window.Name);
    faults.insert(faults.end(), more.begin(), more.end());
    SaveShot(shown, std::string("window_") + window.Name);
    Command(shown, window.Close);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(shown); }, 10000)) << window.Name;
  }

  TProgramUnderTest installer;
  ASSERT_TRUE(installer.Start("/Uninstall"));
  HWND install = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (install = ShownWindowWithControl(installer.ProcessId(), IDC_INSTALL_README)) != nullptr; },
                        30000));
  const auto more = LayoutFaults(install, "Install");
  faults.insert(faults.end(), more.begin(), more.end());
  SaveShot(install, "window_Install");
  for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

}  // namespace
