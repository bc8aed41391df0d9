#include "core/settings/StoredTextList.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

#include "core/trace/FunStatus.h"
#include "core/calendar/StockColors.h"
#include "core/settings/ValueText.h"

namespace {

// Files in memory; like the platform, a read-only file cannot be replaced.
class TFakeFiles : public TStoredTextFileAccess {
 public:
  std::map<std::string, std::string> Files;
  std::set<std::string> ReadOnly;
  bool ReadFails = false;
  bool ClearFails = false;
  bool Answer = true;
  std::vector<std::string> Questions;
  int AtomicWrites = 0;
  size_t Limit = 0;

  TReadOutcome ReadWholeFile(const std::string& path, size_t maximumSize, std::string& bytes,
                             uint32_t& code) override {
    Limit = maximumSize;
    if (ReadFails) return code = 32, TReadOutcome::Failed;
    const auto found = Files.find(path);
    if (found == Files.end()) return TReadOutcome::Missing;
    if (found->second.size() > maximumSize) return TReadOutcome::TooLarge;
    bytes = found->second;
    return TReadOutcome::Read;
  }
  bool FileExists(const std::string& path) override { return Files.count(path) > 0; }
  bool IsReadOnly(const std::string& path) override { return ReadOnly.count(path) > 0; }
  bool ClearAttributes(const std::string& path, uint32_t& code) override {
    if (ClearFails) return code = 5, false;
    ReadOnly.erase(path);
    return true;
  }
  bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                           uint32_t& code) override {
    ++AtomicWrites;
    if (ReadOnly.count(path)) return code = 5, false;
    Files[path] = bytes;
    return true;
  }
  bool AskQuery(const std::string& text) override {
    Questions.push_back(text);
    return Answer;
  }
};

class StoredTextListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ReportEnvironment().ShowReport;
    ReportEnvironment().ShowReport = [this](const std::string&, const std::string& description,
                                            bool*, const std::string& report) {
      Shown.push_back(description);
      Reports.push_back(report);
      return true;
    };
  }
  void TearDown() override { ReportEnvironment().ShowReport = saved_; }

  TFakeFiles Files;
  std::vector<std::string> Shown;
  std::vector<std::string> Reports;

 private:
  decltype(TReportEnvironment::ShowReport) saved_;
};

}  // namespace

TEST_F(StoredTextListTest, MissingFileLoadsEmptyAndCallsTheOwner) {
  TStoredTextList store("Muralotrope.ini", Files);
  EXPECT_EQ(store.Ini, nullptr);
  int calls = 0;
  store.OnLoad = [&](TStoredTextList& loading, uint8_t argument) {
    ++calls;
    EXPECT_TRUE(loading.IsLoading);
    EXPECT_EQ(argument, 3);
    bool show = true;
    ReadBool(loading, "Calendar", "Show", show);
    EXPECT_TRUE(show);
  };
  EXPECT_TRUE(store.Load(3));
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(store.IsLoading);
  ASSERT_NE(store.Ini, nullptr);
  EXPECT_TRUE(store.Ini->Sections().empty());
  EXPECT_TRUE(Shown.empty());
}

TEST_F(StoredTextListTest, SaveThenLoadGivesBackEveryKey) {
  TStoredTextList writer("a.ini", Files);
  writer.DecimalSeparator = ',';
  Files.Files["a.ini"] = "[Main]\r\nAddedByHand=1\r\n";
  ASSERT_TRUE(writer.Load(0));
  writer.OnSave = [](TStoredTextList& store, uint8_t) {
    store.Clear();
    WriteWindowPosition(store, "Main", "XPos", "YPos", {354, 122});
    WriteBool(store, "Main", "Autorun", true);
    WriteText(store, "Wallpaper", "LastFileTitle", "C:\\Pictures\\a=b.jpg");
    WriteReal(store, "Wallpaper", "LastAutoChangeTime", 45123.456789);
    WriteColor(store, "Wallpaper", "FillingPictureColor", 0x80000005u);
    WritePlacementRect(store, "Calendar", "RectLeft", "RectTop", "RectWidth", "RectHeight", 0.7,
                       0.15, 0.1, 0.1);
    WriteInt(store, "DirectoryList", "Count", -5);
  };
  ASSERT_TRUE(writer.Save(false, 0));
  EXPECT_EQ(Files.AtomicWrites, 1);
  const std::string& file = Files.Files["a.ini"];
  EXPECT_EQ(file.find("AddedByHand"), std::string::npos);
  EXPECT_NE(file.find("[Main]\r\nXPos=354\r\nYPos=122\r\nAutorun=TRUE\r\n"), std::string::npos);
  EXPECT_NE(file.find("LastAutoChangeTime=45123,456789\r\n"), std::string::npos);

  TStoredTextList reader("", Files);
  reader.DecimalSeparator = ',';
  ASSERT_TRUE(reader.LoadFrom("a.ini", 0));
  EXPECT_EQ(reader.Ini->Serialize(), writer.Ini->Serialize());
  bool autorun = false;
  std::string title;
  double time = 0, left = 0, top = 0, width = 0.5, height = 0.5;
  uint32_t color = 0;
  int32_t count = 0;
  ReadBool(reader, "Main", "Autorun", autorun);
  ReadText(reader, "Wallpaper", "LastFileTitle", false, title, 260);
  ReadReal(reader, "Wallpaper", "LastAutoChangeTime", time);
  ReadColor(reader, "Wallpaper", "FillingPictureColor", color);
  ReadPlacementRect(reader, "Calendar", "RectLeft", "RectTop", "RectWidth", "RectHeight", left,
                    top, width, height);
  ReadInt(reader, "DirectoryList", "Count", count, 0, -10);
  const TWindowPoint position =
      ReadWindowPosition(reader, "Main", "XPos", "YPos", {0, 0, 1280, 1004}, {1, 1});
  EXPECT_TRUE(autorun);
  EXPECT_EQ(title, "C:\\Pictures\\a=b.jpg");
  EXPECT_DOUBLE_EQ(time, 45123.456789);
  EXPECT_EQ(color, 0x80000005u);
  EXPECT_DOUBLE_EQ(left, 0.7);
  EXPECT_DOUBLE_EQ(width, 0.1);
  EXPECT_EQ(count, -5);
  EXPECT_EQ(position.X, 354);
  EXPECT_EQ(position.Y, 122);
}

TEST_F(StoredTextListTest, HelpersKeepTheVariableOnUnusableValues) {
  // Limits count UTF-16 units: 260 letters "Ф" in 520 bytes fit, 130 emoji and "x" (261 units) do not.
  std::string cyrillic260, emoji261 = "x";
  for (int n = 0; n < 260; ++n) cyrillic260 += "\xD0\xA4";
  for (int n = 0; n < 130; ++n) emoji261 += "\xF0\x9F\x98\x80";
  Files.Files["o.ini"] =
      "[S]\nA=true\nB=1\nC=TRUE\nCount=101\nLowest=-3\nHighest=100\nBad=abc\nEmpty=\nLong=" + std::string(261, 'x') +
      "\nMax=" + std::string(260, 'y') + "\nWidth=1.5\nLeft=0.7\nHot=\n" + "Cyrillic=" + cyrillic260 +
      "\nEmoji=" + emoji261 + "\n";
  TStoredTextList store("o.ini", Files);
  ASSERT_TRUE(store.Load(0));
  bool a = true, b = true, c = false, missing = true;
  ReadBool(store, "S", "A", a);
  ReadBool(store, "S", "B", b);
  ReadBool(store, "S", "C", c);
  ReadBool(store, "S", "Missing", missing);
  EXPECT_FALSE(a);
  EXPECT_FALSE(b);
  EXPECT_TRUE(c);
  EXPECT_TRUE(missing);

  int32_t count = 4, bad = 6;
  ReadInt(store, "S", "Count", count, 100, 0);
  ReadInt(store, "S", "Bad", bad, 100, 0);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(bad, 6);
  int32_t lowest = 4, highest = 4;  // both ends of the range are allowed
  ReadInt(store, "S", "Lowest", lowest, 100, -3);
  ReadInt(store, "S", "Highest", highest, 100, -3);
  EXPECT_EQ(lowest, -3);
  EXPECT_EQ(highest, 100);

  std::string text = "kept";
  ReadText(store, "S", "Empty", false, text, 260);
  EXPECT_EQ(text, "kept");
  ReadText(store, "S", "Long", false, text, 260);
  EXPECT_EQ(text, "kept");
  ReadText(store, "S", "Max", false, text, 260);
  EXPECT_EQ(text.size(), 260u);
  ReadText(store, "S", "Cyrillic", false, text, 260);
  EXPECT_EQ(text, cyrillic260);
  ReadText(store, "S", "Emoji", false, text, 260);
  EXPECT_EQ(text, cyrillic260);
  ReadText(store, "S", "Empty", true, text, 260);
  EXPECT_EQ(text, "");

  EXPECT_EQ(ReadComboBoxText(store, "S", "Hot", "W"), "W");
  EXPECT_EQ(ReadComboBoxText(store, "S", "None", "W"), "W");
  EXPECT_EQ(ReadComboBoxText(store, "S", "A", "W"), "true");

  double left = 0.2, top = 0.3, width = 0.1, height = 0.1;
  ReadPlacementRect(store, "S", "Left", "Top", "Width", "Height", left, top, width, height);
  EXPECT_DOUBLE_EQ(width, 1);
  EXPECT_DOUBLE_EQ(left, 0);
  EXPECT_DOUBLE_EQ(top, 0.3);
}

TEST_F(StoredTextListTest, UnknownColoursTakeTheirDefaultsAndAreReportedOnceWhileTheLoadGoesOn) {
  Files.Files["o.ini"] =
      "[W]\nFirst=clRed\nSecond=Mauve\nThird=Teal\n[C]\nFourth=#12\n[DirectoryList]\nCount=1\n";
  TStoredTextList store("o.ini", Files);
  uint32_t first = 1, second = 2, third = 3, fourth = 4;
  int32_t count = 0;
  store.OnLoad = [&](TStoredTextList& loading, uint8_t) {
    ReadColor(loading, "W", "First", first);
    ReadColor(loading, "W", "Second", second);
    ReadColor(loading, "W", "Third", third);
    ReadColor(loading, "C", "Fourth", fourth);
    ReadInt(loading, "DirectoryList", "Count", count, 100, 0);
  };
  store.OnSave = [&](TStoredTextList& saving, uint8_t) {
    saving.Clear();
    WriteColor(saving, "W", "Second", second);
    WriteInt(saving, "DirectoryList", "Count", count);
  };
  EXPECT_TRUE(store.Load(0));
  EXPECT_FALSE(store.IsLoading);
  EXPECT_EQ(first, 0x0000FFu);
  EXPECT_EQ(second, 2u);
  EXPECT_EQ(third, RgbColor(0, 130, 130));
  EXPECT_EQ(fourth, 4u);
  EXPECT_EQ(count, 1);
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0], "Some settings could not be read and take their defaults.");
  EXPECT_NE(Reports[0].find("* Parameter 1: \"o.ini\""), std::string::npos) << Reports[0];
  EXPECT_NE(Reports[0].find("* Parameter 2: \"[W] Second=Mauve; [C] Fourth=#12\""), std::string::npos)
      << Reports[0];
  EXPECT_EQ(FunStatContext.Status, Perfect);

  // Only the damaged value is lost at the next save.
  EXPECT_TRUE(store.Save(false, 0));
  EXPECT_EQ(Files.Files["o.ini"], "[W]\r\nSecond=2\r\n\r\n[DirectoryList]\r\nCount=1\r\n");
  EXPECT_EQ(Shown.size(), 1u);

  // A clean file is not reported again.
  EXPECT_TRUE(store.Load(0));
  EXPECT_TRUE(store.UnreadableValues().empty());
  EXPECT_EQ(Shown.size(), 1u);
}

TEST_F(StoredTextListTest, OverwriteQuestionAndReadOnlyFiles) {
  Files.Files["s.wps"] = "old";
  TStoredTextList store("", Files);
  int saves = 0;
  store.OnSave = [&](TStoredTextList& saving, uint8_t) {
    ++saves;
    WriteText(saving, "CalendarSkin", "Key", "new");
  };
  Files.Answer = false;
  EXPECT_FALSE(store.SaveAs("s.wps", true, 0));
  EXPECT_EQ(Files.Questions, std::vector<std::string>{"File \"s.wps\"already exists.\nOverwrite it?"});
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(Files.Files["s.wps"], "old");
  EXPECT_TRUE(Shown.empty());

  Files.Answer = true;
  Files.ReadOnly.insert("s.wps");
  EXPECT_TRUE(store.Save(true, 0));
  EXPECT_EQ(Files.Files["s.wps"], "[CalendarSkin]\r\nKey=new\r\n");
  EXPECT_TRUE(Files.ReadOnly.empty());
  EXPECT_EQ(store.FileName, "s.wps");

  EXPECT_TRUE(store.SaveAs("t.wps", true, 0));
  EXPECT_EQ(Files.Questions.size(), 2u);
  EXPECT_EQ(Files.Files["t.wps"], "[CalendarSkin]\r\nKey=new\r\n");

  Files.ReadOnly.insert("s.wps");
  Files.ClearFails = true;
  EXPECT_FALSE(store.SaveAs("s.wps", false, 0));
  EXPECT_EQ(Files.Questions.size(), 2u) << "a save without the flag asks nothing";
  EXPECT_EQ(Shown, std::vector<std::string>{"Failed to save file."});
  EXPECT_NE(Reports[0].find("Failed to clear file attributes."), std::string::npos);
}

TEST_F(StoredTextListTest, UnreadableFileIsNeverOverwritten) {
  Files.Files["o.ini"] = "[Main]\nXPos=1\n";
  TStoredTextList store("o.ini", Files);
  store.LoadFailureMessage = "The options file cannot be read.";
  bool called = false;
  store.OnLoad = [&](TStoredTextList&, uint8_t) { called = true; };
  int saves = 0;
  store.OnSave = [&](TStoredTextList& saving, uint8_t) {
    ++saves;
    WriteText(saving, "Main", "XPos", "2");
  };
  // A file read once that can no longer be read: the image of the first read
  // must not be written over what the file holds now.
  ASSERT_TRUE(store.Load(0));
  called = false;
  Files.ReadFails = true;
  Files.Files["o.ini"] = "[Main]\nXPos=3\n";
  EXPECT_FALSE(store.Load(0));
  EXPECT_FALSE(called);
  EXPECT_EQ(store.Ini, nullptr);
  EXPECT_FALSE(store.Save(false, 0));
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(Files.AtomicWrites, 0);
  EXPECT_EQ(Files.Files["o.ini"], "[Main]\nXPos=3\n");
  EXPECT_EQ(Shown, (std::vector<std::string>{"The options file cannot be read.", "Failed to save file."}));
  EXPECT_NE(Reports[0].find("System error code: 32"), std::string::npos);

  // A file too large for settings is refused before it is read, and kept.
  Files.ReadFails = false;
  Files.Files["o.ini"] = std::string(kMaxStoredTextFileSize + 1, 'x');
  EXPECT_FALSE(store.Load(0));
  EXPECT_EQ(Files.Limit, 1024u * 1024u);
  EXPECT_FALSE(called);
  EXPECT_FALSE(store.Save(false, 0));
  EXPECT_EQ(Files.Files["o.ini"].size(), kMaxStoredTextFileSize + 1);
  ASSERT_EQ(Shown.size(), 4u);
  EXPECT_NE(Reports[2].find("The file is too large for a settings file."), std::string::npos);
  Files.Files["o.ini"] = "[Main]\nXPos=4\n" + std::string(kMaxStoredTextFileSize - 14, ';');
  ASSERT_EQ(Files.Files["o.ini"].size(), kMaxStoredTextFileSize);
  EXPECT_TRUE(store.Load(0));
  // Nor does a save write a file that the next load would refuse: the one there stays.
  store.OnSave = [](TStoredTextList& saved, uint8_t) {
    WriteText(saved, "Main", "Grown", std::string(kMaxStoredTextFileSize, 'x'));
  };
  const std::string readable = Files.Files["o.ini"];
  EXPECT_FALSE(store.Save(false, 0));
  EXPECT_TRUE(Files.Files["o.ini"] == readable) << "the readable file was replaced";
  EXPECT_EQ(Shown.back(), "Failed to save file.");
  EXPECT_NE(Reports.back().find("The file is too large for a settings file."), std::string::npos);
  store.OnSave = nullptr;

  // An owner whose load stops part-way read only some of the file: no save over it.
  store.OnLoad = [](TStoredTextList&, uint8_t) { throw std::runtime_error("control failed"); };
  EXPECT_FALSE(store.Load(0));
  EXPECT_EQ(store.Ini, nullptr);
  EXPECT_FALSE(store.Save(false, 0));
  EXPECT_EQ(Files.AtomicWrites, 0);
  EXPECT_EQ(Shown.back(), "Failed to save file.");
}
