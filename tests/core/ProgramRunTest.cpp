#include "core/control/ProgramRun.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/trace/FunStatus.h"

namespace {

// Runs a program whose steps log themselves; "show" is logged only while an
// error window exists, "lost" otherwise. Returns the exit code.
int RunLogged(bool creationFails, bool loopThrows, std::string& log, std::string& shown) {
  bool errorWindow = false;
  TReportEnvironment& env = ReportEnvironment();
  const auto saved = env.ShowReport;
  env.ShowReport = [&](const std::string&, const std::string& description, bool*, const std::string& report) {
    log += errorWindow ? "show " : "lost ";
    shown = description + "|" + report;
    return true;
  };
  TProgramRunHooks hooks;
  hooks.CreateWindows = [&] {
    FUN_TRACE("CreateProgramWindows");
    FUN_GUARD({
      log += "create ";
      if (creationFails) return FUN_RAISE("Failed to start GDI+.", "3");
      errorWindow = true;
    });
  };
  hooks.PrepareWindows = [&] { log += "prepare "; };
  hooks.RunMessageLoop = [&] {
    log += "loop ";
    if (loopThrows) throw std::runtime_error("lost window");
    return 3;  // the code the loop ended with is the program's
  };
  hooks.EnsureErrorWindow = [&] {
    log += "ensure ";
    errorWindow = true;
  };
  hooks.CloseProgramMutex = [&] { log += "mutex"; };
  const int code = RunProgram(hooks);
  env.ShowReport = saved;
  return code;
}

TEST(ProgramRunTest, AFailedStartIsReportedAndReleasesTheInstanceAndAPendingFailureShowsBeforeTheEnd) {
  std::string log, shown;
  EXPECT_EQ(RunLogged(false, false, log, shown), 3);
  EXPECT_EQ(log, "create prepare loop mutex");
  EXPECT_EQ(shown, "");

  // No window: nothing is prepared or run, the failure is reported in a window
  // made for it, and the mutex is released so that the next start can run.
  log.clear();
  EXPECT_EQ(RunLogged(true, false, log, shown), 1);
  EXPECT_EQ(log, "create ensure show mutex");
  EXPECT_EQ(shown.substr(0, 1), "|");
  EXPECT_NE(shown.find("* Function: \"CreateProgramWindows\"\r\n* Line: "), std::string::npos);
  EXPECT_NE(shown.find("* Description: \"Failed to start GDI+.\""), std::string::npos);

  // A failure still pending when the loop ends is shown before the run ends.
  log.clear();
  EXPECT_EQ(RunLogged(false, true, log, shown), 0);
  EXPECT_EQ(log, "create prepare loop ensure show mutex");
  EXPECT_NE(shown.find("* Function: \"WinMain\""), std::string::npos);
  EXPECT_NE(shown.find("Unhandled exception: lost window"), std::string::npos);
  EXPECT_EQ(FunStatContext.Status, Perfect);
}

}  // namespace
