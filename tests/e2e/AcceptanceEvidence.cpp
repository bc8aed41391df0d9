// Keeps what a failed end-to-end test leaves, so that the failure can be looked
// at afterwards: a screenshot of the desktop at the test's first failure and the
// program folders of its runs, under <build>\e2e-failures\<Suite>.<Test>.
#include <gtest/gtest.h>

#include <cstring>

#include "ProgramHarness.h"

namespace {

std::string CurrentTestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  if (!info) return "";
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name)
    if (std::strchr("/\\:*?\"<>|", c)) c = '_';
  return name;
}

class TFailureScreenshot : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { taken_ = false; }
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed() || taken_) return;
    taken_ = true;
    const std::string name = CurrentTestName();
    if (!name.empty()) SaveDesktopScreenshot(FailureFolder(name) + "\\screenshot.png");
  }
  bool taken_ = false;
};

void KeepFolderOfFailedTest(const TProgramUnderTest& program) {
  if (!::testing::Test::HasFailure()) return;
  const std::string name = CurrentTestName();
  if (name.empty()) return;
  const std::string& folder = program.Folder();
  CopyFolder(folder, FailureFolder(name) + "\\" + folder.substr(folder.find_last_of('\\') + 1));
}

[[maybe_unused]] const bool installed = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new TFailureScreenshot);
  TProgramUnderTest::BeforeDiscard = KeepFolderOfFailedTest;
  return true;
}();

}  // namespace
