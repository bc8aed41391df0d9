#include "core/settings/IniImage.h"

#include <gtest/gtest.h>

#include <random>

TEST(IniImageTest, ReadsEveryLineEndAndMatchesNamesWithoutCase) {
  const TIniImage image =
      TIniImage::Parse("\xEF\xBB\xBF[Main]\rXPos=354\nYPos=122\r\n[Wallpaper]\r\n  Gamma Picture = 100 ");
  EXPECT_EQ(image.ReadString("MAIN", "xpos", "?"), "354");
  EXPECT_EQ(image.ReadString("main", "YPOS", "?"), "122");
  EXPECT_EQ(image.ReadString("wallpaper", "gamma picture", "?"), "100");
  EXPECT_EQ(image.ReadString("Main", "Missing", "dflt"), "dflt");
  EXPECT_EQ(image.ReadString("Nowhere", "XPos", "dflt"), "dflt");
}

TEST(IniImageTest, RepeatedSectionsMergeAndTheFirstKeyWins) {
  const TIniImage image = TIniImage::Parse(
      "orphan=1\n[A] ; first\nk=1\n; note\nno equals sign\nK=2\n=empty key\n[B]\nx=y\n[a]\nk=3\nnew=4\n");
  EXPECT_EQ(image.ReadString("A", "k", ""), "1");
  EXPECT_EQ(image.ReadString("A", "new", ""), "4");
  EXPECT_EQ(image.Serialize(), "[A]\r\nk=1\r\nnew=4\r\n\r\n[B]\r\nx=y\r\n");
}

TEST(IniImageTest, WritesReplaceInPlaceAndKeepTheFileOneLinePerKey) {
  TIniImage image;
  image.WriteString("Main", "XPos", "1");
  image.WriteString("Main", "YPos", "2");
  image.WriteString("MAIN", "xpos", "3");
  image.WriteString("Main", "Title", "a\r\n[Evil]\nb");
  image.WriteString("Main", "", "lost");
  EXPECT_EQ(image.Serialize(), "[Main]\r\nXPos=3\r\nYPos=2\r\nTitle=a  [Evil] b\r\n");
  EXPECT_EQ(TIniImage::Parse(image.Serialize()).Serialize(), image.Serialize());

  image.WriteString("Other", "k", "v");
  image.DeleteKey("main", "ypos");
  EXPECT_FALSE(image.ValueExists("Main", "YPos"));
  EXPECT_EQ(image.ReadString("Main", "Title", ""), "a  [Evil] b");
  image.EraseSection("MAIN");
  EXPECT_FALSE(image.SectionExists("Main"));
  EXPECT_EQ(image.ReadString("other", "K", ""), "v");
  image.Clear();
  EXPECT_EQ(image.Serialize(), "");
}

TEST(IniImageTest, OddBytesAndHugeLinesAreKeptAsData) {
  std::string value(1 << 20, 'x');
  value[5] = '\0';
  const TIniImage image = TIniImage::Parse("[S]\nBig=" + value + "\nAfter=1");
  EXPECT_EQ(image.ReadString("S", "Big", ""), value);
  EXPECT_EQ(image.ReadString("S", "After", ""), "1");

  // Whatever the bytes, parsing never fails and what is read is what is written.
  std::mt19937 random(12345);
  for (int round = 0; round < 200; ++round) {
    std::string junk(random() % 400, '\0');
    for (char& c : junk) c = "[]=;\r\n \tab\0\xff"[random() % 12];
    const std::string once = TIniImage::Parse(junk).Serialize();
    EXPECT_EQ(TIniImage::Parse(once).Serialize(), once);
  }
}
