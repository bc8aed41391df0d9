#include "core/composition/WallpaperFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(WallpaperFilesTest, BareNamesLiveInTheTemporaryDirectory) {
  const std::string temp = "C:\\Users\\Ann\\AppData\\Local\\Temp\\";
  EXPECT_EQ(WallpaperFilePath(temp), temp + "Muralotrope_Wallpaper.bmp");
  EXPECT_EQ(ResolveWallpaperPath("Muralotrope_Wallpaper.bmp", temp),
            temp + "Muralotrope_Wallpaper.bmp");
  EXPECT_EQ(ResolveWallpaperPath("D:\\Walls\\Sea.bmp", temp), "D:\\Walls\\Sea.bmp");
  EXPECT_EQ(ResolveWallpaperPath("D:Sea.bmp", temp), "D:Sea.bmp");
  // A failed temporary directory leaves the bare name.
  EXPECT_EQ(ResolveWallpaperPath("Muralotrope_Wallpaper.bmp", ""), "Muralotrope_Wallpaper.bmp");
}

TEST(WallpaperFilesTest, TemporaryDirectoryGetsADelimiterAndItsLongForm) {
  int asked = 0;
  auto longForm = [&](const std::string& path) {
    ++asked;
    return path == "C:\\DOCUME~1\\Temp\\" ? std::string("C:\\Documents and Settings\\Temp\\")
                                          : std::string();
  };
  EXPECT_EQ(TempDirectoryPath("C:\\Temp", longForm), "C:\\Temp\\");
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(TempDirectoryPath("C:\\DOCUME~1\\Temp", longForm), "C:\\Documents and Settings\\Temp\\");
  EXPECT_EQ(TempDirectoryPath("C:\\PROGRA~9\\", longForm), "C:\\PROGRA~9\\");
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(TempDirectoryPath("", longForm), "");
}

TEST(WallpaperFilesTest, RunFileParameters) {
  EXPECT_EQ(RunFileParametersText("", true), "");
  EXPECT_EQ(RunFileParametersText("a b", true), " \"a b\"");
  EXPECT_EQ(RunFileParametersText("/x", false), " /x");
}

}  // namespace
