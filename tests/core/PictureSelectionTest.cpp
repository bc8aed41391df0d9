#include "core/catalogue/PictureSelection.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <set>
#include <stdexcept>
#include <strings.h>

#include "core/trace/FunStatus.h"

namespace {

class PictureSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.Services.Now = [this] { return ++clock; };
    s.Services.FileExists = [this](const std::string& path) { return vanished.count(path) == 0; };
    s.Services.RandomNumber = [this] {
      if (draws.empty()) throw std::logic_error("unexpected draw");
      const int32_t value = draws.front();
      draws.pop_front();
      return value;
    };
    s.Services.Collate = [](const std::string& a, const std::string& b) {
      return strcasecmp(a.c_str(), b.c_str());
    };
    s.Services.ShowPictureLabels = [this] { ++labelRefreshes; };
    s.Services.ShowError = [this](const std::string& text) { errors.push_back(text); };
  }

  void Fill(std::initializer_list<const char*> paths, int32_t current) {
    s.PictureList.assign(paths.begin(), paths.end());
    s.CurrentPictureIndex = current;
    s.CurrentFileTitle = current >= 0 ? s.PictureList[current] : "C:\\Elsewhere\\x.jpg";
  }

  TPictureSelection s;
  double clock = 100;
  std::set<std::string> vanished;
  std::deque<int32_t> draws;
  int labelRefreshes = 0;
  std::vector<std::string> errors;
};

TEST_F(PictureSelectionTest, NextAndPreviousWrapAroundAndStartFromNotInList) {
  const auto step = [this](int32_t from, bool forward) {
    Fill({"A", "B", "C", "D", "E"}, from);
    // What a background preparation takes for the next picture is what Next shows.
    const std::string predicted = s.SequentialNextPicture();
    s.ChangePicture(forward, false);
    if (forward) EXPECT_EQ(predicted, s.CurrentFileTitle) << from;
    return s.CurrentPictureIndex;
  };
  EXPECT_EQ(step(4, true), 0);
  EXPECT_EQ(s.CurrentFileTitle, "A");
  EXPECT_EQ(step(0, false), 4);
  EXPECT_EQ(step(3, true), 4);  // the last one is reached before the wrap
  EXPECT_EQ(s.CurrentFileTitle, "E");
  EXPECT_EQ(step(1, false), 0);  // and the first one going back
  EXPECT_EQ(s.CurrentFileTitle, "A");
  EXPECT_EQ(step(-1, true), 0);
  EXPECT_EQ(step(-1, false), 4);
  EXPECT_EQ(s.LastAutoChangeTime, clock);
  Fill({"Only"}, 0);
  s.ChangePicture(false, false);
  EXPECT_EQ(s.CurrentPictureIndex, 0);
  EXPECT_EQ(labelRefreshes, 0);

  s.CurrentPictureIndex = 7;  // a stale position past the end starts again at the first
  EXPECT_EQ(s.SequentialNextPicture(), "Only");
  s.PictureList.clear();  // an empty list changes nothing, not even the time
  EXPECT_EQ(s.SequentialNextPicture(), "");
  const double stamped = s.LastAutoChangeTime;
  s.ChangePicture(true, true);
  EXPECT_EQ(s.LastAutoChangeTime, stamped);
  EXPECT_EQ(s.CurrentFileTitle, "Only");
}

TEST_F(PictureSelectionTest, RandomUsesTheTruncatingRemainderAndRedrawsOnce) {
  Fill({"A", "B", "C", "D", "E"}, 0);
  draws = {-7};
  s.ChangePicture(true, true);
  EXPECT_EQ(s.CurrentPictureIndex, 2);  // -7 mod 5 = -2, then its absolute value
  draws = {INT32_MIN};
  s.ChangePicture(true, true);
  EXPECT_EQ(s.CurrentPictureIndex, 3);

  Fill({"A", "B"}, 0);
  draws = {2, 0};  // the current one twice: the second draw stands
  EXPECT_EQ(s.FindNextPicture(true, true, true), "A");
  s.CurrentFileTitle = "a";  // compared without regard to letter case
  draws = {0, 1};
  EXPECT_EQ(s.FindNextPicture(true, true, true), "B");
  Fill({"Only"}, 0);
  draws = {7};  // a single entry is never redrawn
  s.ChangePicture(true, true);
  EXPECT_TRUE(draws.empty());
}

TEST_F(PictureSelectionTest, VanishedEntriesAreRemovedAndSkipped) {
  Fill({"A", "B", "C", "D", "E"}, 1);
  vanished = {"C"};
  s.ChangePicture(true, false);
  EXPECT_EQ(s.CurrentFileTitle, "D");
  EXPECT_EQ(s.CurrentPictureIndex, 2);
  EXPECT_EQ(labelRefreshes, 1);

  // Both predecessors gone: "Previous" ends on the current picture itself.
  Fill({"A", "B", "C", "D", "E"}, 3);
  vanished = {"B", "C"};
  s.ChangePicture(false, false);
  EXPECT_EQ(s.CurrentFileTitle, "D");
  EXPECT_EQ(s.CurrentPictureIndex, 1);
  EXPECT_EQ(s.PictureList, (std::vector<std::string>{"A", "D", "E"}));

  // The current file gone too: the walk backward stays inside the list.
  Fill({"A", "B", "C", "D", "E"}, 4);
  vanished = {"C", "D", "E"};
  s.ChangePicture(false, false);
  EXPECT_EQ(s.CurrentFileTitle, "B");
  EXPECT_EQ(s.CurrentPictureIndex, 1);

  // Everything gone: empty list and title, and no position in it.
  Fill({"A", "B"}, 1);
  vanished = {"A", "B"};
  s.ChangePicture(true, false);
  EXPECT_TRUE(s.PictureList.empty());
  EXPECT_EQ(s.CurrentFileTitle, "");
  EXPECT_EQ(s.CurrentPictureIndex, -1);
}

TEST_F(PictureSelectionTest, PickingWithoutMovingKeepsTheIndexOnTheCurrentPicture) {
  Fill({"A", "B", "C", "D", "E"}, 3);
  vanished = {"A", "B"};
  draws = {1, 0, 2};  // B vanished, then A vanished, then E of [C, D, E]
  EXPECT_EQ(s.FindNextPicture(true, true, false), "E");
  EXPECT_EQ(s.CurrentFileTitle, "D");
  EXPECT_EQ(s.CurrentPictureIndex, 1);

  Fill({"A", "B", "C"}, 1);
  vanished = {"B"};  // the current file itself, drawn twice
  draws = {1, 1, 0};
  EXPECT_EQ(s.FindNextPicture(true, true, false), "A");
  EXPECT_EQ(s.CurrentPictureIndex, -1);
}

// The pictures the pipeline could not read: show() fails for them and empties
// the title, as the pipeline does.
class PictureStepOverTest : public PictureSelectionTest {
 protected:
  std::function<bool()> Show() {
    return [this] {
      shown.push_back(s.CurrentFileTitle);
      if (!unreadable.count(s.CurrentFileTitle)) return true;
      s.CurrentFileTitle.clear();
      return false;
    };
  }
  std::set<std::string> unreadable;
  std::vector<std::string> shown;
};

TEST_F(PictureStepOverTest, PreviousAndNextStepOverUnreadablePicturesTheWayAsked) {
  using Titles = std::vector<std::string>;
  Fill({"A", "B", "C", "D", "E"}, 3);
  unreadable = {"C", "B"};
  s.ChangePictureUntilShown(false, false, Show());
  EXPECT_EQ(shown, (Titles{"C", "B", "A"}));
  EXPECT_EQ(s.CurrentFileTitle, "A");
  EXPECT_EQ(s.CurrentPictureIndex, 0);
  EXPECT_EQ(s.UnreadableInARow, 2u);
  EXPECT_FALSE(s.AllPicturesUnreadable());
  EXPECT_EQ(labelRefreshes, 0);

  shown.clear();
  s.ChangePictureUntilShown(true, false, Show());
  EXPECT_EQ(shown, (Titles{"B", "C", "D"}));
  EXPECT_EQ(s.CurrentFileTitle, "D");

  // A random pick that cannot be read is followed by the next ones.
  shown.clear();
  draws = {1};
  s.ChangePictureUntilShown(true, true, Show());
  EXPECT_EQ(shown, (Titles{"B", "C", "D"}));
  EXPECT_TRUE(draws.empty());
}

TEST_F(PictureStepOverTest, AListOfUnreadablePicturesIsTriedOnceAndSaysSo) {
  Fill({"A", "B", "C"}, 0);
  unreadable = {"A", "B", "C"};
  s.ChangePictureUntilShown(true, false, Show());
  EXPECT_EQ(shown, (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_TRUE(s.AllPicturesUnreadable());
  EXPECT_EQ(s.CurrentFileTitle, "");
  EXPECT_EQ(labelRefreshes, 1);

  // A selection by the user starts counting again, and the labels follow.
  s.SelectPicture(1, "");
  EXPECT_FALSE(s.AllPicturesUnreadable());
  EXPECT_EQ(labelRefreshes, 2);
  // So does the next round of changes, and a reload of the list.
  s.UnreadableInARow = 3;
  shown.clear();
  unreadable = {"C"};
  s.ChangePictureUntilShown(true, false, Show());
  EXPECT_EQ(shown, (std::vector<std::string>{"C", "A"}));
  EXPECT_EQ(s.UnreadableInARow, 1u);
  s.UnreadableInARow = 3;
  s.LoadPictureFileNames({{"C:\\P", DirectoryActiveBit}}, [](const std::string&, bool, std::vector<std::string>& out) {
    out = {"C:\\P\\a.jpg", "C:\\P\\b.jpg", "C:\\P\\c.jpg"};
  });
  EXPECT_FALSE(s.AllPicturesUnreadable());

  // An empty list: the current title is shown once, however it goes.
  s.PictureList.clear();
  s.CurrentFileTitle = "Outside";
  unreadable = {"Outside"};
  shown.clear();
  s.ChangePictureUntilShown(false, false, Show());
  EXPECT_EQ(shown, std::vector<std::string>{"Outside"});
  EXPECT_FALSE(s.AllPicturesUnreadable());
}

TEST_F(PictureSelectionTest, SelectByPositionOrByTitle) {
  Fill({"C:\\A.jpg", "C:\\B.jpg"}, -1);
  s.SelectPicture(1, "ignored");
  EXPECT_EQ(s.CurrentFileTitle, "C:\\B.jpg");
  EXPECT_EQ(s.LastAutoChangeTime, clock);
  s.SelectPicture(0, "ignored");
  EXPECT_EQ(s.CurrentFileTitle, "C:\\A.jpg");
  EXPECT_EQ(s.CurrentPictureIndex, 0);
  s.SelectPicture(2, "c:\\b.JPG");  // one past the end: the title decides
  EXPECT_EQ(s.CurrentFileTitle, "c:\\b.JPG");
  EXPECT_EQ(s.CurrentPictureIndex, 1);
  s.SelectPicture(-1, "c:\\a.JPG");
  EXPECT_EQ(s.CurrentPictureIndex, 0);
  s.SelectPicture(7, "D:\\Outside.png");  // no such position: the title decides
  EXPECT_EQ(s.CurrentPictureIndex, -1);
  EXPECT_TRUE(errors.empty());
  s.SelectPicture(-1, "");
  EXPECT_EQ(errors, std::vector<std::string>{"Empty file title and no picture index."});
  EXPECT_EQ(s.CurrentFileTitle, "");
}

TEST_F(PictureSelectionTest, ReloadFindsTheCurrentPictureAgainAndRecordsAFailure) {
  const std::vector<TDirectoryEntry> rows = {{"C:\\P", DirectoryActiveBit}, {"C:\\Q", DirectoryActiveBit}};
  s.CurrentFileTitle = "c:\\p\\b.jpg";
  s.LoadPictureFileNames(rows, [](const std::string& directory, bool, std::vector<std::string>& out) {
    out = {directory + "\\b.jpg", directory + "\\a.jpg"};
  });
  EXPECT_EQ(s.PictureList.size(), 4u);
  EXPECT_EQ(s.CurrentPictureIndex, 1);
  EXPECT_EQ(labelRefreshes, 1);

  s.LoadPictureFileNames(rows, [](const std::string& directory, bool, std::vector<std::string>& out) {
    if (directory == "C:\\Q") throw std::runtime_error("walk broke");
    out = {"C:\\P\\z.jpg"};
  });
  EXPECT_EQ(s.PictureList, std::vector<std::string>{"C:\\P\\z.jpg"});  // what was appended stays
  EXPECT_EQ(labelRefreshes, 1);
  EXPECT_EQ(FunStatContext.Function, "TMainForm::LoadPictureFileNames");
  EXPECT_EQ(FunStatContext.Description, "Unhandled exception: walk broke");
  FunStatContext.Reset(Perfect);
}

TEST(PictureIndexInputTest, OnlyANewPositionInRangeIsAccepted) {
  EXPECT_EQ(IndexInputPrefill(-1), "0");
  EXPECT_EQ(IndexInputPrefill(41), "42");
  EXPECT_EQ(IndexInputChoice("3", 0, 5), 2);
  EXPECT_EQ(IndexInputChoice("  +5", 0, 5), 4);
  // Blanks around the number, on either side, are no part of it.
  EXPECT_EQ(IndexInputChoice("3 ", 0, 5), 2);
  EXPECT_EQ(IndexInputChoice(" 4  ", 0, 5), 3);
  EXPECT_EQ(IndexInputChoice("1", 0, 5), -1);  // the current position
  EXPECT_EQ(IndexInputChoice("", 0, 5), -1);   // stands for the current position
  for (const char* rejected : {"0", "6", "abc", "3x", "", "99999999999", "3 4", " ", "- 3"})
    EXPECT_EQ(IndexInputChoice(rejected, -1, 5), -1) << rejected;
}

}  // namespace
