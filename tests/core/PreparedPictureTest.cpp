#include "core/composition/PreparedPicture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <string>

namespace {

// Files that exist only in the test, named in any letter case as on the system:
// writing one stamps it with the fake clock.
class TFakeFiles {
 public:
  void Write(const std::string& name, uint64_t size) { files_[Lower(name)] = {true, size, ++clock_}; }
  void Remove(const std::string& name) { files_.erase(Lower(name)); }
  TFileStampReader Reader() const {
    return [this](const std::string& name) {
      const auto file = files_.find(Lower(name));
      return file == files_.end() ? TFileStamp{} : file->second;
    };
  }

 private:
  static std::string Lower(std::string name) {
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
  }
  std::map<std::string, TFileStamp> files_;
  uint64_t clock_ = 1000;
};

const char* const Next = "C:\\Pictures\\b.jpg";

TPreparationKey KeyFor(const TFakeFiles& files, const std::string& name, uint64_t list = 1) {
  return PreparationKeyOf(name, TResizeRules{}, TPictureEffects{}, 3840, 2160, list, files.Reader());
}

TEST(PreparedPictureTest, AChangeUsesThePreparedPictureOnlyWhileEverythingItWasMadeFromHolds) {
  TFakeFiles files;
  files.Write(Next, 5000);
  files.Write("C:\\Pictures\\c.jpg", 7000);
  const TPreparationKey prepared = KeyFor(files, Next);
  EXPECT_TRUE(prepared.Stamp.Exists);
  EXPECT_EQ(prepared.Stamp.Size, 5000u);

  // Nothing changed; the name in another letter case is the same file.
  EXPECT_EQ(ChoosePreparedPicture(prepared, KeyFor(files, Next)), TPreparedPictureChoice::Use);
  EXPECT_EQ(ChoosePreparedPicture(prepared, KeyFor(files, "c:\\pictures\\B.JPG")), TPreparedPictureChoice::Use);
  // Another picture is wanted (Previous, Random, a favourite): compose, keep the prepared one.
  EXPECT_EQ(ChoosePreparedPicture(prepared, KeyFor(files, "C:\\Pictures\\c.jpg")),
            TPreparedPictureChoice::Recompose);
  // Nothing prepared yet.
  EXPECT_EQ(ChoosePreparedPicture(KeyFor(files, ""), KeyFor(files, Next)), TPreparedPictureChoice::Recompose);

  // Each way the prepared picture goes stale.
  struct {
    const char* Why;
    std::function<void(TPreparationKey&)> Change;
  } const stale[] = {
      {"resize option", [](TPreparationKey& k) { k.Rules.FitAndCrop = !k.Rules.FitAndCrop; }},
      {"filling colour", [](TPreparationKey& k) { k.Rules.FillingColor = 0x123456; }},
      {"maximum skew", [](TPreparationKey& k) { k.Rules.MaxStretchSkew = 1.1; }},
      {"normalisation", [](TPreparationKey& k) { k.Effects.Normalize = true; }},
      {"level", [](TPreparationKey& k) { k.Effects.Level = 0.55; }},
      {"method", [](TPreparationKey& k) { k.Effects.Method = "Mirrored scaling"; }},
      {"gamma", [](TPreparationKey& k) { k.Effects.GammaPercent = 110; }},
      {"screen width", [](TPreparationKey& k) { k.ScreenWidth = 2560; }},
      {"screen height", [](TPreparationKey& k) { k.ScreenHeight = 1440; }},
      {"list reloaded", [](TPreparationKey& k) { ++k.ListGeneration; }},
  };
  for (const auto& change : stale) {
    TPreparationKey wanted = KeyFor(files, Next);
    change.Change(wanted);
    EXPECT_EQ(ChoosePreparedPicture(prepared, wanted), TPreparedPictureChoice::Drop) << change.Why;
    EXPECT_TRUE(PreparationIsStale(prepared, wanted)) << change.Why;
    // Stale for every picture, not only the one prepared.
    wanted.FileName = "C:\\Pictures\\c.jpg";
    EXPECT_EQ(ChoosePreparedPicture(prepared, wanted), TPreparedPictureChoice::Drop) << change.Why;
  }
  EXPECT_FALSE(PreparationIsStale(prepared, KeyFor(files, "C:\\Pictures\\c.jpg")));
}

TEST(PreparedPictureTest, AFileReplacedOrRemovedSinceThePreparationIsNotShownFromIt) {
  TFakeFiles files;
  files.Write(Next, 5000);
  const TPreparationKey prepared = KeyFor(files, Next);
  // Rewritten with the same size: only the time tells.
  files.Write(Next, 5000);
  EXPECT_EQ(ChoosePreparedPicture(prepared, KeyFor(files, Next)), TPreparedPictureChoice::Drop);
  // Another size at the same time stamp.
  TPreparationKey resized = prepared;
  resized.Stamp.Size = 5001;
  EXPECT_EQ(ChoosePreparedPicture(prepared, resized), TPreparedPictureChoice::Drop);
  files.Remove(Next);
  EXPECT_EQ(ChoosePreparedPicture(prepared, KeyFor(files, Next)), TPreparedPictureChoice::Drop);
  // A preparation of a file that could not be read is never used.
  const TPreparationKey missing = KeyFor(files, Next);
  EXPECT_FALSE(missing.Stamp.Exists);
  EXPECT_EQ(ChoosePreparedPicture(missing, KeyFor(files, Next)), TPreparedPictureChoice::Drop);
  // Without a reader there is no stamp, so nothing can be used.
  const TPreparationKey unread = PreparationKeyOf(Next, {}, {}, 3840, 2160, 1, nullptr);
  EXPECT_EQ(ChoosePreparedPicture(unread, unread), TPreparedPictureChoice::Drop);
}

}  // namespace
