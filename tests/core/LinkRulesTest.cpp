#include "core/catalogue/LinkRules.h"

#include <gtest/gtest.h>

TEST(LinkRulesTest, LinkFilesAndTheirNames) {
  EXPECT_TRUE(IsLinkFile("C:\\a\\b.LNK"));
  EXPECT_TRUE(IsLinkFile("b.pif"));
  EXPECT_FALSE(IsLinkFile("C:\\notes.txt"));
  EXPECT_FALSE(IsLinkFile("C:\\lnk"));
  EXPECT_EQ(LinkPathForTarget("C:\\Startup", "D:\\Apps\\Muralotrope.exe"), "C:\\Startup\\Muralotrope.lnk");
  EXPECT_EQ(LinkPathForTarget("C:\\Startup\\", "D:\\Apps\\Tool.v2.exe"), "C:\\Startup\\Tool.v2.lnk");
}

TEST(LinkRulesTest, RewriteOnlyWhenAFieldOrTheShowStateDiffers) {
  const TLinkFields wanted{"C:\\P\\M.exe", "", "", 7};
  TLinkFields same = wanted;
  EXPECT_FALSE(LinkNeedsRewrite(same, wanted, true));
  same.ShowCommand = 1;
  EXPECT_TRUE(LinkNeedsRewrite(same, wanted, true));
  EXPECT_FALSE(LinkNeedsRewrite(same, wanted, false));
  TLinkFields other = wanted;
  other.Arguments = "x";
  EXPECT_TRUE(LinkNeedsRewrite(other, wanted, true));
}
