#include "core/ProgramRun.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/FunStatus.h"

namespace {

// A program whose steps log themselves; the error window is a flag that the
// report needs, as the real one does.
struct TFakeProgram {
  bool CreationFails = false;
  bool LoopThrows = false;
  bool HasErrorWindow = false;
  std::string Log;
  std::vector<std::string> Shown;

  int Run() {
    TReportEnvironment& env = ReportEnvironment();
    const auto saved = env.ShowReport;
    env.ShowReport = [this](const std::string&, const std::string& description, bool*,
                            const std::string& report) {
      Log += HasErrorWindow ? "show " : "lost ";
      Shown.push_back(description + "|" + report);
      return true;
    };
    TProgramRunHooks hooks;
    hooks.CreateWindows = [this] {
      FUN_TRACE("CreateProgramWindows");
      FUN_GUARD({
        Log += "create ";
        if (CreationFails) return FUN_RAISE("Failed to start GDI+.", "3");
        HasErrorWindow = true;
      });
    };
    hooks.PrepareWindows = [this] { Log += "prepare "; };
    hooks.RunMessageLoop = [this] {
      Log += "loop ";
      if (LoopThrows) throw std::runtime_error("lost window");
    };
    hooks.EnsureErrorWindow = [this] {
      Log += "ensure ";
      HasErrorWindow = true;
    };
    hooks.CloseProgramMutex = [this] { Log += "mutex"; };
    const int code = RunProgram(hooks);
    env.ShowReport = saved;
    return code;
  }
};

TEST(ProgramRunTest, AFailedStartIsReportedAndReleasesTheInstanceAndAPendingFailureShowsBeforeTheEnd) {
  TFakeProgram normal;
  EXPECT_EQ(normal.Run(), 0);
  EXPECT_EQ(normal.Log, "create prepare loop mutex");
  EXPECT_TRUE(normal.Shown.empty());

  // No window: nothing is prepared or run, the failure is reported in a window
  // made for it, and the mutex is released so that the next start can run.
  TFakeProgram failed;
  failed.CreationFails = true;
  EXPECT_EQ(failed.Run(), 1);
  EXPECT_EQ(failed.Log, "create ensure show mutex");
  ASSERT_EQ(failed.Shown.size(), 1u);
  EXPECT_EQ(failed.Shown[0].substr(0, 1), "|");
  EXPECT_NE(failed.Shown[0].find("* Description: \"Failed to start GDI+.\""), std::string::npos);
  EXPECT_NE(failed.Shown[0].find("* Function: \"CreateProgramWindows\""), std::string::npos);

  // A failure still pending when the loop ends is shown before the run ends.
  TFakeProgram pending;
  pending.LoopThrows = true;
  EXPECT_EQ(pending.Run(), 0);
  EXPECT_EQ(pending.Log, "create prepare loop ensure show mutex");
  ASSERT_EQ(pending.Shown.size(), 1u);
  EXPECT_NE(pending.Shown[0].find("Unhandled exception: lost window"), std::string::npos);
  EXPECT_NE(pending.Shown[0].find("* Function: \"WinMain\""), std::string::npos);
  EXPECT_EQ(FunStatContext.Status, Perfect);
}

}  // namespace
