// The real main window preparing the next picture in the background: a change
// that finds it prepared decodes nothing, a stale one is never shown, an options
// change or the battery stops it, and a broken next picture stays silent. Also a
// redraw clicked while a change to a broken picture waits on the notification area.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main/MainForm.h"
#include "core/trace/FunStatus.h"
#include "tests/platform/CompositionTestPictures.h"

namespace {

constexpr DWORD kPreparationMs = 30000;
constexpr uint32_t kRed = 0xC81E1E, kGreen = 0x1EC81E, kBlue = 0x1E1EC8, kYellow = 0xC8C81E;

FILETIME LastWriteTime(const std::string& path) {
  FILETIME written = {};
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  GetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
  return written;
}

void SetLastWriteTime(const std::string& path, const FILETIME& written) {
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
  CloseHandle(file);
}

class PreparedNextPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    form_ = std::make_unique<TMainForm>();
    if (!form_->Create()) {
      form_.reset();
      GTEST_SKIP() << "the main window's dialog templates are not linked into this test program";
    }
    form_->IsUpdatingControls = false;
  }
  void TearDown() override {
    form_.reset();
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    FunStatContext.Reset(Perfect);
    CoUninitialize();
  }

  // An uncompressed BMP: pictures of one size have files of one size.
  std::string Picture(const std::string& name, uint32_t colour) {
    files_.push_back(CompositionTempPath("mt_next_" + std::to_string(GetCurrentProcessId()) + "_" + name));
    Repaint(files_.back(), colour);
    return files_.back();
  }
  static void Repaint(const std::string& path, uint32_t colour) {
    ASSERT_TRUE(WriteEncodedPicture(path, L"image/bmp", 40, 30, [colour](int, int) { return colour; }));
  }

  // The list, the first picture current and composed.
  void ShowFirstOf(const std::vector<std::string>& list) {
    TPictureSelection& selection = form_->Catalogue.Selection();
    selection.PictureList = list;
    selection.CurrentPictureIndex = 0;
    selection.CurrentFileTitle = list[0];
    ASSERT_TRUE(form_->Composition.SetFileAsWallpaper(true));
  }

  // Waits for the preparation under way; true when the picture is ready.
  bool Prepared(const std::string& path) const {
    const TPicturePreparer* preparer = form_->Composition.Preparer();
    EXPECT_TRUE(preparer->WaitUntilIdle(kPreparationMs));
    TPreparationKey key;
    return preparer->ReadyKey(key) && key.FileName == path;
  }

  // The picture's colour at the centre of the screen, where it always lands.
  uint32_t CentreColour() const {
    const TScreenBitmap* fitted = form_->Composition.FittedPicture();
    if (!fitted) return 0xFFFFFFFF;
    GdiFlush();
    const uint8_t* pixel = fitted->Pixels() + static_cast<size_t>(fitted->Height() / 2) * fitted->Stride() +
                           static_cast<size_t>(fitted->Width() / 2) * 4;
    return static_cast<uint32_t>(pixel[2]) << 16 | static_cast<uint32_t>(pixel[1]) << 8 | pixel[0];
  }

  std::unique_ptr<TMainForm> form_;
  std::vector<std::string> files_;
};

TEST_F(PreparedNextPictureTest, ANextChangeUsesThePreparedPictureUnlessItsFileChanged) {
  const std::string a = Picture("a.bmp", kRed), b = Picture("b.bmp", kGreen), c = Picture("c.bmp", kBlue);
  ASSERT_NO_FATAL_FAILURE(ShowFirstOf({a, b, c}));
  EXPECT_EQ(CentreColour(), kRed);
  ASSERT_TRUE(Prepared(b));

  // Other pixels under the same name, size and time: a decoding change would show them.
  const FILETIME written = LastWriteTime(b);
  Repaint(b, kYellow);
  SetLastWriteTime(b, written);
  form_->Catalogue.NextWallpaperLabelClick();
  EXPECT_EQ(form_->Catalogue.Selection().CurrentFileTitle, b);
  EXPECT_EQ(CentreColour(), kGreen) << "the next picture was decoded again";
  EXPECT_FALSE(FunStatContext.Failed());
  // A reload does read the file: the check above could fail.
  ASSERT_TRUE(form_->Composition.SetFileAsWallpaper(true));
  EXPECT_EQ(CentreColour(), kYellow);

  // The next one changes on disk after its preparation: the change shows the new content.
  ASSERT_TRUE(Prepared(c));
  FILETIME later = LastWriteTime(c);
  later.dwHighDateTime += 1;  // minutes later, beyond any file system's time resolution
  Repaint(c, kYellow);
  SetLastWriteTime(c, later);
  form_->Catalogue.NextWallpaperLabelClick();
  EXPECT_EQ(form_->Catalogue.Selection().CurrentFileTitle, c);
  EXPECT_EQ(CentreColour(), kYellow) << "a stale preparation was shown";

  // Every way of changing goes through the same check: wrapping forward from c, the
  // first picture is the one prepared, and "First" finds it so.
  ASSERT_TRUE(Prepared(a));
  const FILETIME firstWritten = LastWriteTime(a);
  Repaint(a, kYellow);
  SetLastWriteTime(a, firstWritten);
  form_->Catalogue.FirstWallpaperLabelClick();
  EXPECT_EQ(form_->Catalogue.Selection().CurrentFileTitle, a);
  EXPECT_EQ(CentreColour(), kRed) << "the first picture was decoded again";
}

TEST_F(PreparedNextPictureTest, AnOptionsChangeOrTheBatteryDropsThePreparation) {
  const std::string a = Picture("a.bmp", kRed), b = Picture("b.bmp", kGreen);
  ASSERT_NO_FATAL_FAILURE(ShowFirstOf({a, b}));
  // With no picture left to compose, nothing prepares anew after the change, so only
  // the drop can empty the preparer, whether the preparation still runs or is done.
  form_->Catalogue.Selection().CurrentFileTitle.clear();
  form_->Composition.FitAndCropCheckBox.SetChecked(!form_->Composition.FitAndCropCheckBox.Checked());
  form_->Composition.ReloadWallpaperOnParamChange();
  EXPECT_FALSE(Prepared(b)) << "the preparation made by the old options survived";
  form_->Composition.FitAndCropCheckBox.SetChecked(!form_->Composition.FitAndCropCheckBox.Checked());

  // Composed on battery: the scheduler pauses, and so does the preparation.
  form_->Composition.IsOnMainsPower = [] { return false; };
  ASSERT_NO_FATAL_FAILURE(ShowFirstOf({a, b}));
  EXPECT_FALSE(Prepared(b));
  form_->Composition.IsOnMainsPower = [] { return true; };
  ASSERT_NO_FATAL_FAILURE(ShowFirstOf({a, b}));
  EXPECT_TRUE(Prepared(b));
  // Closing ends the preparer first; a change without one composes as usual.
  form_->Composition.StopPreparing();
  EXPECT_EQ(form_->Composition.Preparer(), nullptr);
  ASSERT_TRUE(form_->Composition.SetFileAsWallpaper(true)) << "a change composes without a preparer";
  EXPECT_EQ(CentreColour(), kRed);
}

TEST_F(PreparedNextPictureTest, ABrokenNextPictureFailsSilentlyUntilItsChange) {
  const std::string a = Picture("a.bmp", kRed);
  files_.push_back(CompositionTempPath("mt_next_" + std::to_string(GetCurrentProcessId()) + "_broken.bmp"));
  const std::string broken = files_.back();
  WriteWholeFile(broken, "This is not a picture.\r\n");
  ASSERT_NO_FATAL_FAILURE(ShowFirstOf({a, broken}));
  FunStatContext.Reset(Perfect);
  EXPECT_FALSE(Prepared(broken));
  EXPECT_FALSE(FunStatContext.Failed()) << "the worker touched the status trace";

  // The change composes in the foreground and records the failure as always; nothing
  // is installed, so the old wallpaper stays.
  form_->Catalogue.Selection().CurrentPictureIndex = 1;
  form_->Catalogue.Selection().CurrentFileTitle = broken;
  EXPECT_FALSE(form_->Composition.SetFileAsWallpaper(true));
  EXPECT_TRUE(FunStatContext.Failed());
  EXPECT_EQ(form_->Composition.FittedPicture(), nullptr);
  EXPECT_TRUE(form_->Catalogue.Selection().CurrentFileTitle.empty());
}

// "Next" shows the broken picture's name in the tray tip, fails to load it and goes on
// to the one after. While the tip changes the program answers messages sent to it, and a
// redraw clicked then arrives in the middle of the failing change; that once left
// nothing to compose from. Here the click arrives exactly there.
TEST_F(PreparedNextPictureTest, ARedrawClickedWhileABrokenPictureFailsToLoadIsHarmless) {
  const std::string a = Picture("a.bmp", kRed);
  files_.push_back(CompositionTempPath("mt_next_" + std::to_string(GetCurrentProcessId()) + "_broken.jpg"));
  const std::string broken = files_.back();
  WriteWholeFile(broken, "This is not a picture.\r\n");
  const std::string c = Picture("c.bmp", kBlue);
  ASSERT_NO_FATAL_FAILURE(ShowFirstOf({a, broken, c}));
  int redrawsDuringTheChange = 0;
  form_->TrayTipShown = [&](const std::string& tip) {
    if (tip.find(broken) == std::string::npos || redrawsDuringTheChange > 0) return;
    ++redrawsDuringTheChange;
    form_->Composition.ReloadWallpaperOnParamChange();
  };
  form_->Catalogue.NextWallpaperLabelClick();
  form_->TrayTipShown = nullptr;
  EXPECT_EQ(redrawsDuringTheChange, 1);
  EXPECT_EQ(form_->Catalogue.Selection().CurrentFileTitle, c);
  EXPECT_EQ(CentreColour(), kBlue);
  EXPECT_NE(form_->TrayTip().find(c), std::string::npos);
}

}  // namespace
