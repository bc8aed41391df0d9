#include "core/catalogue/Favorites.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

std::vector<std::string> OldestFirst(const TFavorites& favorites) {
  return {favorites.Titles.begin(), favorites.Titles.begin() + favorites.Count};
}

TFavorites Loaded(const std::map<std::string, std::string>& values) {
  const auto text = [values](const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
  };
  TFavorites favorites;
  favorites.Load({text, [text](const std::string& key, int32_t) { return std::stoi(text(key)); }});
  return favorites;
}

TEST(FavoritesTest, AddingAgainMovesToNewestAndTheMenuListsNewestFirst) {
  TFavorites favorites;
  for (const char* title : {"C:\\P.jpg", "C:\\Q.jpg", "C:\\R.jpg", "c:\\p.JPG", "C:\\P.jpg"})
    favorites.Add(title);
  EXPECT_EQ(OldestFirst(favorites), (std::vector<std::string>{"C:\\Q.jpg", "C:\\R.jpg", "c:\\p.JPG"}));
  EXPECT_EQ(favorites.Titles[favorites.SlotOfMenuItem(0)], "c:\\p.JPG");
  EXPECT_EQ(favorites.Titles[favorites.SlotOfMenuItem(2)], "C:\\Q.jpg");
  favorites.Delete("C:\\P.jpg");
  EXPECT_EQ(OldestFirst(favorites), (std::vector<std::string>{"C:\\Q.jpg", "C:\\R.jpg"}));
  for (const char* refused : {"", "C:", "C:\\Pictures\\"}) favorites.Add(refused);
  EXPECT_EQ(favorites.Count, 2);

  for (int n = 0; n < 21; ++n) favorites.Add("D:\\" + std::to_string(n) + ".jpg");
  EXPECT_EQ(favorites.Count, kMaxFavoriteCount);
  EXPECT_EQ(favorites.Titles[0], "D:\\1.jpg");
  EXPECT_EQ(favorites.Titles[19], "D:\\20.jpg");
}

TEST(FavoritesTest, LoadKeepsTheStoredOrderAndDropsBadTitles) {
  TFavorites favorites = Loaded({{"Count", "3"}, {"Title0", "C:\\A.jpg"}, {"Title2", "C:\\C.jpg"},
                                 {"Title3", "C:\\D.jpg"}});
  const TKeyValues saved = {{"Count", "2"}, {"Title0", "C:\\A.jpg"}, {"Title1", "C:\\C.jpg"}};
  EXPECT_EQ(favorites.Save(), saved);
  EXPECT_EQ(Loaded({{"Count", "25"}, {"Title0", "C:\\A.jpg"}}).Count, 0);
  EXPECT_EQ(OldestFirst(Loaded({{"Count", "2"}, {"Title0", "C:\\a.jpg"}, {"Title1", "C:\\A.JPG"}})),
            std::vector<std::string>{"C:\\a.jpg"});
  EXPECT_EQ(OldestFirst(Loaded({{"Count", "4"}, {"Title0", "C:\\a.jpg"}, {"Title1", "C:\\X.jpg"},
                                {"Title2", "C:\\A.JPG"}, {"Title3", "C:\\" + std::string(258, 'y')}})),
            (std::vector<std::string>{"C:\\X.jpg", "C:\\A.JPG"}));
}

TEST(FavoritesTest, PathLimitCountsUtf16UnitsAndTitlesMatchByTheGivenRule) {
  std::string title = "C:\\";
  while (title.size() < 3 + 2 * 257) title += "\xD0\xA4";  // 260 units in 517 bytes
  TFavorites favorites;
  favorites.Add(title);
  favorites.Add(title + "\xD0\xA4");
  EXPECT_EQ(OldestFirst(favorites), std::vector<std::string>{title});

  // The rule decides which title is already there: "Фото.jpg" and "ФОТО.jpg".
  const std::string lower = "C:\\\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE.jpg";
  const std::string upper = "C:\\\xD0\xA4\xD0\x9E\xD0\xA2\xD0\x9E.jpg";
  TFavorites folded;
  folded.SameName = [](const std::string& a, const std::string& b) { return a.size() == b.size(); };
  for (const std::string& added : {lower, std::string("C:\\x.jpg"), upper}) folded.Add(added);
  EXPECT_EQ(OldestFirst(folded), (std::vector<std::string>{"C:\\x.jpg", upper}));
  folded.Delete(lower);
  EXPECT_EQ(OldestFirst(folded), std::vector<std::string>{"C:\\x.jpg"});
}

}  // namespace
