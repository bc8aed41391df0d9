#include "core/catalogue/PathParts.h"

#include <gtest/gtest.h>

namespace {

TEST(PathPartsTest, PartsSplitAtTheLastBackslashOrColon) {
  struct Case { const char* path; const char* directory; const char* name; const char* extension; };
  for (const Case& c : {Case{"C:\\Pictures\\Sea.JPG", "C:\\Pictures\\", "Sea.JPG", ".JPG"},
                        Case{"C:Sea.tar.gz", "C:", "Sea.tar.gz", ".gz"},
                        Case{"C:", "", "C:", ""},  // a bare drive is its own file-name part
                        Case{"D:\\dir.x\\README", "D:\\dir.x\\", "README", ""}}) {
    EXPECT_EQ(DirectoryPart(c.path), c.directory) << c.path;
    EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
    EXPECT_EQ(ExtensionPart(c.path), c.extension) << c.path;
  }
  EXPECT_FALSE(IsBareDrive(":"));
  EXPECT_FALSE(IsBareDrive("C:\\"));
}

}  // namespace
