#include <gtest/gtest.h>

TEST(StartupTest, Placeholder) { SUCCEED(); }
