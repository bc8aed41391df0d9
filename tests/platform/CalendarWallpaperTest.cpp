// The calendar on a wallpaper-sized bitmap, painted from the calendar pages'
// own controls: where it paints, that it follows the date and the controls,
// and skins that survive a save and a load.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/main/CalendarSkinControls.h"
#include "app/main/MainForm.h"
#include "core/trace/FunStatus.h"
#include "platform/CalendarSystemNames.h"
#include "platform/GdiPlusCanvas.h"
#include "platform/GdiPlusSession.h"
#include "core/calendar/ColorGrid.h"
#include "core/calendar/SkinParameters.h"
#include "core/settings/StoredTextList.h"
#include "core/control/TimeHelpers.h"
#include "platform/StoredTextFiles.h"

namespace gp = Gdiplus::DllExports;

namespace {

constexpr int kWidth = 1280, kHeight = 1004;
const TBox kWorkArea{20, 20, 1260, 984};

double Day(int year, int month, int day) {
  TDateParts parts;
  parts.Year = year;
  parts.Month = month;
  parts.Day = day;
  parts.Hour = 10;
  return *EncodeDateTime(parts);
}

std::string ProgramFolderPath(const char* name) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// A wallpaper-sized bitmap that the calendar is painted on.
class TWallpaper {
 public:
  explicit TWallpaper(Gdiplus::ARGB fill) {
    gp::GdipCreateBitmapFromScan0(kWidth, kHeight, 0, PixelFormat32bppRGB, nullptr, &bitmap_);
    Gdiplus::GpGraphics* graphics = nullptr;
    gp::GdipGetImageGraphicsContext(bitmap_, &graphics);
    gp::GdipGraphicsClear(graphics, fill);
    gp::GdipDeleteGraphics(graphics);
  }
  ~TWallpaper() { gp::GdipDisposeImage(bitmap_); }

  // A sky-like vertical gradient, for looking at the result.
  void PaintSky() {
    Gdiplus::GpGraphics* graphics = nullptr;
    gp::GdipGetImageGraphicsContext(bitmap_, &graphics);
    const Gdiplus::RectF all(0, 0, kWidth, kHeight);
    Gdiplus::GpLineGradient* brush = nullptr;
    gp::GdipCreateLineBrushFromRect(&all, 0xFF2A5A8C, 0xFFB0C8A0, Gdiplus::LinearGradientModeVertical,
                                    Gdiplus::WrapModeTile, &brush);
    gp::GdipFillRectangle(graphics, brush, 0, 0, kWidth, kHeight);
    gp::GdipDeleteBrush(brush);
    gp::GdipDeleteGraphics(graphics);
  }

  // As the composition does: a graphics on the bitmap, the calendar, the graphics deleted.
  TCalendarPaintResult PaintCalendar(const TCalendarSkin& skin, const TCalendarScene& scene,
                                     TCalendarPlacement& placement, double& lastRedrawTime) {
    Gdiplus::GpGraphics* graphics = nullptr;
    gp::GdipGetImageGraphicsContext(bitmap_, &graphics);
    TCalendarPaintResult painted;
    {
      TGdiPlusCanvas canvas(graphics);
      canvas.PrepareSurface();
      painted = ::PaintCalendar(canvas, skin, scene, placement, lastRedrawTime);
    }
    gp::GdipDeleteGraphics(graphics);
    return painted;
  }

  std::vector<uint32_t> Pixels() const {
    std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
    Gdiplus::Rect all(0, 0, kWidth, kHeight);
    Gdiplus::BitmapData data = {};
    gp::GdipBitmapLockBits(bitmap_, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data);
    for (int y = 0; y < kHeight; ++y)
      memcpy(&pixels[static_cast<size_t>(y) * kWidth], static_cast<const char*>(data.Scan0) + y * data.Stride,
             kWidth * 4);
    gp::GdipBitmapUnlockBits(bitmap_, &data);
    return pixels;
  }

  void SavePng(const std::string& path) const {
    const CLSID png = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    const std::wstring wide(path.begin(), path.end());
    gp::GdipSaveImageToFile(bitmap_, wide.c_str(), &png, nullptr);
  }

 private:
  Gdiplus::GpBitmap* bitmap_ = nullptr;
};

bool Inside(const TBox& box, int x, int y) { return x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom; }

TBox Inflated(const TBox& box, int by) { return TBox{box.Left - by, box.Top - by, box.Right + by, box.Bottom + by}; }

// An empty page made from a template in memory, as the calendar pages are.
class TTestPage : public TDialogWindow {
 public:
  void Make() {
    struct {
      DLGTEMPLATE header;
      WORD menu, windowClass, title;
    } empty = {};
    empty.header.style = WS_POPUP;
    empty.header.cx = 300;
    empty.header.cy = 160;
    handle_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &empty.header, nullptr, PageProc, 0);
  }
  ~TTestPage() override {
    if (handle_) DestroyWindow(handle_);
    handle_ = nullptr;
  }

 private:
  static INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
};

class CalendarWallpaperTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    gdiPlus_ = new TGdiPlusSession;
    static const char* const captions[8] = {"General", "Back", "Back colors", "Header",
                                            "Year", "Month", "Day of week", "Days"};
    pages_ = new TTestPage[8];
    TDialogWindow* pages[8];
    for (int i = 0; i < 8; ++i) {
      pages_[i].Make();
      pages[i] = &pages_[i];
    }
    controls_ = new TCalendarSkinControls;
    controls_->Create(pages, captions, 8, InstalledFontNames(), 2100);
  }
  static void TearDownTestSuite() {
    delete controls_;
    delete[] pages_;
    delete gdiPlus_;
  }
  void SetUp() override {
    controls_->ShowSkin(DefaultCalendarSkin(controls_->FontNames()));
    placement_ = TCalendarPlacement{0.7, 0.15, 0.1, 0.1};
    scene_.ShowCalendar = true;
    scene_.Now = Day(2009, 3, 15);
    scene_.CalendarWorkArea = kWorkArea;
    scene_.Names = CalendarLocaleNames();
  }

  TCalendarPaintResult Paint(TWallpaper& wallpaper) {
    return wallpaper.PaintCalendar(controls_->Skin(), scene_, placement_, lastRedrawTime_);
  }

  template <class T>
  static T& Control(const char* name) {
    TControl* control = controls_->Find(name);
    EXPECT_NE(control, nullptr) << name;
    return *static_cast<T*>(control);
  }

  // Every skin control's state as text, in table order.
  static std::vector<std::string> ControlStates() {
    std::vector<std::string> states;
    for (const TSkinParameter& parameter : SkinParameters()) {
      TControl* control = controls_->Find(parameter.ControlName);
      if (!control) {
        states.push_back("missing");
      } else if (parameter.IsList()) {
        states.push_back(static_cast<TComboBox*>(control)->Text());
      } else if (parameter.Kind == TSkinParameterKind::Bool) {
        states.push_back(static_cast<TCheckBox*>(control)->Checked() ? "TRUE" : "FALSE");
      } else {
        states.push_back(std::to_string(static_cast<TColorPanel*>(control)->Color()));
      }
    }
    return states;
  }

  static TGdiPlusSession* gdiPlus_;
  // Each colour panel's hint names its colour the one way every panel does.
  static void ExpectPanelHintsFollowTheirColors(const char* after) {
    for (TColorPanel* panel : controls_->ColorPanels())
      EXPECT_EQ(panel->Hint(), PanelColorHint(panel->Color())) << after << ": " << panel->Caption;
  }
  static TTestPage* pages_;
  static TCalendarSkinControls* controls_;
  TCalendarPlacement placement_;
  TCalendarScene scene_;
  double lastRedrawTime_ = 0;
};

TGdiPlusSession* CalendarWallpaperTest::gdiPlus_ = nullptr;
TTestPage* CalendarWallpaperTest::pages_ = nullptr;
TCalendarSkinControls* CalendarWallpaperTest::controls_ = nullptr;

TEST_F(CalendarWallpaperTest, PaintsOnlyInsideItsBoxAndFollowsTheDate) {
  const uint32_t fill = 0xFF336699;
  TWallpaper march(fill);
  const TCalendarPaintResult painted = Paint(march);
  ASSERT_TRUE(painted.Painted);
  EXPECT_EQ(lastRedrawTime_, Day(2009, 3, 15));
  const TBox box = painted.CalendarBox;
  // The default skin's box: 302 wide; March 2009 with Monday first takes 6 rows plus 2 extra weeks.
  ASSERT_EQ(box.Width(), 302);
  ASSERT_EQ(box.Height(), 8 * 24 + 2 * 25 + 59);
  EXPECT_NEAR(placement_.RectWidth, 302.0 / kWorkArea.Width(), 1e-12);

  const std::vector<uint32_t> pixels = march.Pixels();
  // The brisk margin's one-pixel pen lies on the box's far edges.
  const TBox allowed = Inflated(box, 1);
  long long changedOutside = 0, changedInside = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const bool changed = pixels[static_cast<size_t>(y) * kWidth + x] != fill;
      if (Inside(allowed, x, y))
        changedInside += changed;
      else
        changedOutside += changed;
    }
  EXPECT_EQ(changedOutside, 0);
  EXPECT_GT(changedInside, static_cast<long long>(box.Width()) * box.Height() / 2);

  scene_.Now = Day(2009, 4, 20);
  TWallpaper april(fill);
  ASSERT_TRUE(Paint(april).Painted);
  const std::vector<uint32_t> later = april.Pixels();
  long long differing = 0;
  for (int y = box.Top; y < box.Bottom; ++y)
    for (int x = box.Left; x < box.Right; ++x)
      differing += pixels[static_cast<size_t>(y) * kWidth + x] != later[static_cast<size_t>(y) * kWidth + x];
  EXPECT_GT(differing, 1000);
}

TEST_F(CalendarWallpaperTest, HiddenCalendarLeavesPictureAndTimesAlone) {
  const uint32_t fill = 0xFF804020;
  scene_.ShowCalendar = false;
  lastRedrawTime_ = 7;
  placement_.RectWidth = 0.5;
  TWallpaper wallpaper(fill);
  EXPECT_FALSE(Paint(wallpaper).Painted);
  EXPECT_EQ(lastRedrawTime_, 7);
  EXPECT_EQ(placement_.RectWidth, 0.5);
  for (uint32_t pixel : wallpaper.Pixels()) ASSERT_EQ(pixel, fill);
}

TEST_F(CalendarWallpaperTest, ControlsChangeThePaintedCalendar) {
  const uint32_t fill = 0xFF336699;
  // Larger day numbers make larger cells; two weeks of neighbours add four rows.
  Control<TComboBox>("CalendarDaysTextSizeComboBox").SetText("20");
  Control<TComboBox>("CalendarOtherMonthsWeeksComboBox").SetText("2");
  TWallpaper larger(fill);
  const TBox box = Paint(larger).CalendarBox;
  EXPECT_EQ(box.Width(), 7 * 60 + 50);
  EXPECT_EQ(box.Height(), 10 * 40 + 50 + 59);
}

TEST_F(CalendarWallpaperTest, ScreenshotsOfDefaultAndOvalSkins) {
  scene_.Now = Day(2024, 5, 16);
  TWallpaper standard(0xFF000000);
  standard.PaintSky();
  ASSERT_TRUE(Paint(standard).Painted);
  standard.SavePng(ProgramFolderPath("calendar_default_skin.png"));

  Control<TCheckBox>("CalendarOvalBackCheckBox").SetChecked(true);
  Control<TCheckBox>("SimpleCalendarBackCheckBox").SetChecked(false);
  Control<TComboBox>("CalendarOvalBackEccentricityComboBox").SetText("130");
  Control<TComboBox>("CalendarTextEffectComboBox").SetText("Shadow");
  TWallpaper oval(0xFF000000);
  oval.PaintSky();
  ASSERT_TRUE(Paint(oval).Painted);
  oval.SavePng(ProgramFolderPath("calendar_oval_skin.png"));
  // The oval reaches beyond the calendar's box on the left and right.
  TWallpaper flat(0xFF336699);
  const TBox box = Paint(flat).CalendarBox;
  const std::vector<uint32_t> pixels = flat.Pixels();
  const int midY = (box.Top + box.Bottom) / 2;
  EXPECT_NE(pixels[static_cast<size_t>(midY) * kWidth + box.Left - 10], 0xFF336699u);
  EXPECT_NE(pixels[static_cast<size_t>(midY) * kWidth + box.Right + 10], 0xFF336699u);
}

TEST_F(CalendarWallpaperTest, SavedSkinLoadsBackEveryControlState) {
  const std::string path = ProgramFolderPath("calendar_roundtrip_test.wps");
  DeleteFileA(path.c_str());
  TStoredTextList store("", StoredTextFiles());
  store.OnSave = [](TStoredTextList& s, uint8_t) { controls_->WriteTo(s); };
  bool wholeSkin = true;
  store.OnLoad = [&wholeSkin](TStoredTextList& s, uint8_t) { controls_->ReadFrom(s, wholeSkin); };

  const std::vector<std::string> defaults = ControlStates();
  // Every control away from its default.
  int row = 0;
  for (const TSkinParameter& parameter : SkinParameters()) {
    TControl* control = controls_->Find(parameter.ControlName);
    ASSERT_NE(control, nullptr) << parameter.ControlName;
    if (parameter.IsList()) {
      auto* list = static_cast<TComboBox*>(control);
      const int current = list->ItemIndex();
      list->SetItemIndex(current + 1 < list->Count() ? current + 1 : 0);
    } else if (parameter.Kind == TSkinParameterKind::Bool) {
      auto* box = static_cast<TCheckBox*>(control);
      box->SetChecked(!box->Checked());
    } else {
      static_cast<TColorPanel*>(control)->SetColor(static_cast<COLORREF>(0x030507 * (row + 1)) & 0xFFFFFF);
    }
    ++row;
  }
  const std::vector<std::string> saved = ControlStates();
  for (size_t i = 0; i < saved.size(); ++i) EXPECT_NE(saved[i], defaults[i]) << SkinParameters()[i].Key;
  ASSERT_TRUE(store.SaveAs(path, false, 0));

  controls_->ShowSkin(DefaultCalendarSkin(controls_->FontNames()));
  ASSERT_EQ(ControlStates(), defaults);
  ExpectPanelHintsFollowTheirColors("default skin");
  ASSERT_TRUE(store.LoadFrom(path, 0));
  EXPECT_EQ(ControlStates(), saved);
  ExpectPanelHintsFollowTheirColors("skin load");

  // Colours only: everything else keeps the defaults.
  controls_->ShowSkin(DefaultCalendarSkin(controls_->FontNames()));
  wholeSkin = false;
  ASSERT_TRUE(store.LoadFrom(path, 0));
  const std::vector<std::string> colorsOnly = ControlStates();
  for (size_t i = 0; i < colorsOnly.size(); ++i)
    EXPECT_EQ(colorsOnly[i], SkinParameters()[i].Kind == TSkinParameterKind::Color ? saved[i] : defaults[i])
        << SkinParameters()[i].Key;
  DeleteFileA(path.c_str());
}

std::vector<std::string> Numbers(int first, int last, int step = 1) {
  std::vector<std::string> items;
  for (int value = first; value <= last; value += step) items.push_back(std::to_string(value));
  return items;
}

// The fixed items each list of the skin offers, by the ending of its key.
std::vector<std::string> SpecifiedItems(const std::string& key) {
  std::vector<std::string> smallSizes = Numbers(8, 30);
  for (const char* size : {"32", "35", "38", "40"}) smallSizes.push_back(size);
  std::vector<std::string> largeSizes = smallSizes;
  for (const char* size : {"45", "50", "55", "60"}) largeSizes.push_back(size);
  const struct {
    const char* KeyEnding;
    std::vector<std::string> Items;
  } lists[] = {
      {"TextEffect", {"None", "Shadow", "Outline"}},
      {"OutlineThickness", Numbers(1, 5)},
      {"SeparatorThickness", Numbers(1, 5)},
      {"CalendarOtherMonthsWeeks", Numbers(0, 4)},
      {"MarginSpacing", Numbers(0, 50, 5)},
      {"BottomSpace", Numbers(0, 50, 5)},
      {"CenterShift", Numbers(0, 100, 5)},
      {"CenterFocus", Numbers(0, 100, 5)},
      {"Translucency", Numbers(0, 100, 5)},
      {"OvalBackEccentricity", Numbers(100, 150, 5)},
      {"YearTextSize", largeSizes},
      {"MonthTextSize", largeSizes},
      {"DayOfWeekTextSize", smallSizes},
      {"DaysTextSize", smallSizes},
      {"HSS", Numbers(-5, 5)},
      {"VSS", Numbers(-5, 5)},
  };
  for (const auto& list : lists) {
    const std::string ending = list.KeyEnding;
    if (key.size() >= ending.size() && key.compare(key.size() - ending.size(), ending.size(), ending) == 0)
      return list.Items;
  }
  if (key.rfind("FrameBackThick", 0) == 0) return Numbers(1, 99);
  return {};
}

TEST_F(CalendarWallpaperTest, EveryRowHasItsControlWithTheTableItems) {
  int fixedLists = 0;
  for (const TSkinParameter& parameter : SkinParameters()) {
    TControl* control = controls_->Find(parameter.ControlName);
    ASSERT_NE(control, nullptr) << parameter.ControlName;
    if (parameter.Kind == TSkinParameterKind::FontName) {
      auto* list = static_cast<TComboBox*>(control);
      const std::vector<std::string> items = list->Items();
      ASSERT_GT(items.size(), 1u);
      for (size_t i = 1; i < items.size(); ++i) EXPECT_NE(items[i - 1], items[i]);
      EXPECT_EQ(list->Text(), "Arial");
    } else if (parameter.IsList()) {
      ++fixedLists;
      EXPECT_EQ(static_cast<TComboBox*>(control)->Items(), SpecifiedItems(parameter.Key)) << parameter.Key;
    }
  }
  EXPECT_EQ(fixedLists, 91 - 4 - 12 - 22) << "all rows but the font lists, check boxes and colours";
  EXPECT_EQ(Control<TComboBox>("CalendarFrameBackThick12ComboBox").Count(), 99);
  EXPECT_EQ(controls_->ColorPanels().size(), 22u);
  EXPECT_EQ(SkinParameterCaption(SkinParameters()[42]), "Horizontal shadow shift");  // YearHSS on "Year"
  EXPECT_EQ(SkinParameterCaption(SkinParameters()[28]), "Thickness 1-2");            // FrameBackThick12
}

}  // namespace

namespace {

// Answers the program's yes/no question box with this button, from inside its own loop.
int questionAnswer = IDNO;
int questionsAsked = 0;

VOID CALLBACK AnswerQuestion(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        if (!IsWindowVisible(window) || !GetDlgItem(window, IDNO)) return TRUE;
        ++questionsAsked;
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(questionAnswer, BN_CLICKED), 0);
        return FALSE;
      },
      0);
}

std::string ReadText(const std::string& path) {
  std::string bytes;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
    std::fclose(file);
  }
  return bytes;
}

void WriteText(const std::string& path, const std::string& bytes) {
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

}  // namespace

// "Save skin" over an existing file: a No keeps the file and the last skin
// name; a Yes keeps the file's other sections while no skin file was loaded,
// and those of the loaded skin file once one was.
TEST(CalendarSkinFileTest, SavingOverAFileKeepsWhatItShouldAndARefusalChangesNothing) {
  TMainForm form;
  ASSERT_TRUE(form.Create());
  const std::string older = ProgramFolderPath("skin_save_older.wps");
  const std::string loaded = ProgramFolderPath("skin_save_loaded.wps");
  const std::string original = "[Other]\r\nKey=kept\r\n[CalendarSkin]\r\nTextEffect=None\r\n";
  WriteText(older, original);
  form.Calendar.SetLastCalendarSkinName("before");
  const UINT_PTR answering = SetTimer(nullptr, 0, 50, AnswerQuestion);

  questionAnswer = IDNO;
  EXPECT_FALSE(form.Calendar.SaveCalendarSkinFile(older));
  EXPECT_EQ(questionsAsked, 1);
  EXPECT_EQ(form.Calendar.LastCalendarSkinName(), "before");
  EXPECT_EQ(ReadText(older), original);

  questionAnswer = IDYES;
  EXPECT_TRUE(form.Calendar.SaveCalendarSkinFile(older));
  EXPECT_EQ(questionsAsked, 2);
  EXPECT_EQ(form.Calendar.LastCalendarSkinName(), "skin_save_older");
  std::string saved = ReadText(older);
  EXPECT_NE(saved.find("[Other]\r\nKey=kept\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("TextEffect=Outline\r\n"), std::string::npos) << saved;

  // Once a skin file was loaded, its sections go with the saved skin.
  WriteText(loaded, "[Loaded]\r\nFrom=loaded\r\n[CalendarSkin]\r\nTextEffect=Shadow\r\n");
  ASSERT_TRUE(form.Calendar.LoadCalendarSkinFile(loaded));
  EXPECT_TRUE(form.Calendar.SaveCalendarSkinFile(older));
  saved = ReadText(older);
  EXPECT_NE(saved.find("[Loaded]\r\nFrom=loaded\r\n"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("[Other]"), std::string::npos) << saved;
  EXPECT_NE(saved.find("TextEffect=Shadow\r\n"), std::string::npos) << saved;

  KillTimer(nullptr, answering);
  DeleteFileA(older.c_str());
  DeleteFileA(loaded.c_str());
}

// A drawing surface that cannot be made paints nothing, but the failure is
// recorded under the calendar's trace and the day counts as painted, so that
// the next tick does not compose again; a hidden calendar stamps nothing.
TEST(CalendarOnWallpaperTest, ASurfaceThatCannotBeMadeIsRecordedAndStampsTheDay) {
  TMainForm form;
  ASSERT_TRUE(form.Create());
  form.Calendar.CalendarClock = [] { return 45000.25; };
  form.Calendar.ShowCalendarCheckBox.SetChecked(true);
  EXPECT_FALSE(form.Calendar.SetInfoOnPicture(nullptr, {0, 0, 640, 480}));
  EXPECT_TRUE(FunStatContext.Failed());
  EXPECT_EQ(FunStatContext.Function, "TMainForm::SetInfoOnPicture");
  EXPECT_EQ(form.Calendar.LastRedrawTime(), 45000.25);

  form.Calendar.SetLastRedrawTime(7);
  form.Calendar.ShowCalendarCheckBox.SetChecked(false);
  EXPECT_FALSE(form.Calendar.SetInfoOnPicture(nullptr, {0, 0, 640, 480}));
  EXPECT_EQ(form.Calendar.LastRedrawTime(), 7);
  FunStatContext.Reset(Perfect);
}
