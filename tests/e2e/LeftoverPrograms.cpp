// Every end-to-end test starts and ends with none of the program's processes
// running: one left behind by an earlier test (an installed copy the installer
// started, a program that hangs) would hold the single-instance mutex or a
// file, and turn every later test into a failure of its own.
#include <gtest/gtest.h>

#include <cstdio>

#include "ProgramHarness.h"

namespace {

void EndLeftovers(const char* when, const ::testing::TestInfo& test) {
  for (const std::string& path : EndLeftoverPrograms())
    std::fprintf(stderr, "Ended \"%s\", left running %s %s.%s.\n", path.c_str(), when, test.test_suite_name(),
                 test.name());
}

class TLeftoverPrograms : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo& test) override { EndLeftovers("before", test); }
  void OnTestEnd(const ::testing::TestInfo& test) override { EndLeftovers("by", test); }
};

[[maybe_unused]] const bool installed = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new TLeftoverPrograms);
  return true;
}();

}  // namespace
