#include "core/trace/FunStatus.h"

#include <gtest/gtest.h>

namespace {

// A callee that fails by a test, and one that only warns.
void FailingCallee() {
  FUN_TRACE("FailingCallee");
  FUN_GUARD({ FUN_RAISE("Failed to load directory.", "C:\\Pictures", "", 5); });
}

void WarningCallee() {
  FUN_TRACE("WarningCallee");
  FUN_GUARD({ FUN_RAISE("Size unknown.", "", "", 0, Warning); });
}

bool CallerReached = false;
void Caller(void (*callee)()) {
  FUN_TRACE("Caller");
  CallerReached = false;
  FUN_GUARD({
    callee();
    if (trace_.CalleeFailed()) return;
    CallerReached = true;
  });
}

TEST(FunStatusTest, CalleeFailureTravelsUpUnchangedAndWarningDoesNotStop) {
  Caller(FailingCallee);
  EXPECT_FALSE(CallerReached);
  EXPECT_EQ(FunStatContext.Status, Error);
  EXPECT_EQ(FunStatContext.Function, "FailingCallee");
  EXPECT_EQ(FunStatContext.Description, "Failed to load directory.");
  EXPECT_EQ(FunStatContext.SystemErrorCode, 5u);

  Caller(WarningCallee);
  EXPECT_TRUE(CallerReached);
  EXPECT_EQ(FunStatContext.Status, Perfect);
  EXPECT_EQ(FunStatContext.Function, "");
}

int ValueCallee(bool fail) {
  FUN_TRACE("ValueCallee");
  FUN_GUARD({
    if (fail) FUN_RAISE("Failed to read value.");
  });
  return 7;
}

bool ReachedAfterCall = false;
int KeptValue = 0;
void CallerOfOneLineForms(void (*callee)(), bool valueFails) {
  FUN_TRACE("CallerOfOneLineForms");
  ReachedAfterCall = false;
  KeptValue = 0;
  FUN_GUARD({
    FUN_CALL(callee());
    ReachedAfterCall = true;
    FUN_CALL_INTO(const int value, ValueCallee(valueFails));
    KeptValue = value;
  });
}

TEST(FunStatusTest, OneLineCallFormsStopAtTheCalleesFailureAndPassItOn) {
  CallerOfOneLineForms(FailingCallee, false);
  EXPECT_FALSE(ReachedAfterCall);
  EXPECT_EQ(FunStatContext.Status, Error);
  EXPECT_EQ(FunStatContext.Function, "FailingCallee");
  EXPECT_EQ(FunStatContext.Parameter1, "C:\\Pictures");

  CallerOfOneLineForms(WarningCallee, true);
  EXPECT_TRUE(ReachedAfterCall);
  EXPECT_EQ(KeptValue, 0);
  EXPECT_EQ(FunStatContext.Function, "ValueCallee");
  EXPECT_EQ(FunStatContext.Description, "Failed to read value.");

  CallerOfOneLineForms(WarningCallee, false);
  EXPECT_EQ(KeptValue, 7);
  EXPECT_EQ(FunStatContext.Status, Perfect);
}

void CallerThatDoesNotCheck() {
  FUN_TRACE("CallerThatDoesNotCheck");
  FUN_GUARD({ FailingCallee(); });
}

// An operation with nothing to do returns before its trace starts.
void NothingToDo() { DropCalleeFailure(); }

void CallerOfNothingToDo() {
  FUN_TRACE("CallerOfNothingToDo");
  CallerReached = false;
  FUN_GUARD({
    FUN_CALL(NothingToDo());
    CallerReached = true;
  });
}

TEST(FunStatusTest, UncheckedFailuresAreDroppedAndAnUntracedReturnReportsSuccess) {
  CallerThatDoesNotCheck();
  EXPECT_EQ(FunStatContext.Status, Perfect);
  EXPECT_EQ(FunStatContext.Description, "");

  // Without the drop the caller would see its own entry's status and stop.
  CallerOfNothingToDo();
  EXPECT_TRUE(CallerReached);
  EXPECT_EQ(FunStatContext.Status, Perfect);

  FailingCallee();
  FunStatContext.SetShowContext("Shown.cpp", "", 3);
  DropCalleeFailure();
  EXPECT_FALSE(FunStatContext.Failed());
  EXPECT_EQ(FunStatContext.Function, "");
  EXPECT_EQ(FunStatContext.ShowFile, "Shown.cpp");
}

TEST(FunStatusTest, ExceptionsAreRecordedNotRethrown) {
  {
    FUN_TRACE("Thrower");
    FUN_GUARD({ throw std::runtime_error("boom"); });
    EXPECT_EQ(trace_.Local.Description, "Unhandled exception: boom");
    FUN_GUARD({ throw 7; });
    EXPECT_EQ(trace_.Local.Description, "Unhandled generic exception.");
  }
  EXPECT_EQ(FunStatContext.Status, Error);
}

TEST(FunStatusTest, ReportTextFieldByField) {
  TFunStatContext record;
  record.Raise("/src/core/Thing.cpp", "LoadFilesList", 42, Catastrophe, "Bad", "one", "", 0);
  record.SetShowContext("C:\\x\\Main.cpp", "", 7);
  const std::string report = record.GetReportText();
  EXPECT_EQ(report.rfind("\r\nRAISE CONTEXT\r\n* Status: Catastrophe: CATASTROPHIC FAILURE!!! "
                         "It is highly recommended to terminate the program immediately!",
                         0),
            0u);
  EXPECT_NE(report.find("\r\n* File: \"Thing.cpp\"\r\n* Function: \"LoadFilesList\"\r\n* Line: 42"
                        "\r\n* Description: \"Bad\"\r\n* Parameter 1: \"one\"\r\n\r\nSHOW CONTEXT"
                        "\r\n* File: \"Main.cpp\"\r\n* Function: \"\"\r\n* Line: 7"),
            std::string::npos);
  EXPECT_EQ(report.find("Parameter 2"), std::string::npos);
  EXPECT_EQ(report.find("System error"), std::string::npos);
  EXPECT_NE(report.find("\r\n* UserReal: 0"), std::string::npos);
  EXPECT_EQ(TFunStatContext::GetStatusText(9), "Unknown function status");

  // With a system error, and the time, program and user fields the environment gives.
  TReportEnvironment& env = ReportEnvironment();
  const TReportEnvironment saved = env;
  env.SystemErrorText = [](uint32_t code) { return code == 5 ? "Access is denied." : "?"; };
  env.LongDateText = [] { return "Friday, 10 April 2009"; };
  env.LongTimeText = [] { return "13:45:07"; };
  env.DayOfYear = [] { return 100; };
  env.HundredSeconds = [] { return 495; };
  env.ProgramPath = [] { return "C:\\M\\Muralotrope.exe"; };
  env.RecursionCounter = [] { return 2; };
  TFunStatContext failed;
  failed.Raise("Thing.cpp", "LoadFilesList", 42, Error, "Bad", "", "", 5);
  failed.UserCode = 3;
  failed.UserText = "text";
  failed.UserInt = -4;
  failed.UserReal = 0.1;
  const std::string full = failed.GetReportText();
  env = saved;
  EXPECT_NE(full.find("\r\n* Description: \"Bad\"\r\n* System error code: 5\r\n"
                      "* System error description: \"Access is denied.\"\r\n\r\nSHOW CONTEXT"),
            std::string::npos)
      << full;
  const std::string tail =
      "\r\n\r\nINFO\r\n* Time: Friday, 10 April 2009 (100) | 13:45:07 (495)\r\n"
      "* Program: C:\\M\\Muralotrope.exe\r\n* Recursive attempts: 2\r\n\r\n"
      "USER INFO\r\n* UserCode: 3\r\n* UserText: text\r\n* UserInt: -4\r\n* UserReal: 0.1";
  ASSERT_GE(full.size(), tail.size()) << full;
  EXPECT_EQ(full.substr(full.size() - tail.size()), tail);
}

TEST(FunStatusTest, AssignmentKeepsTheTargetsShowContext) {
  TFunStatContext a, b;
  a.SetShowContext("a", "fa", 1);
  b.SetShowContext("b", "fb", 2);
  b.Raise("f", "g", 3, Error, "d", "", "", 0);
  a = b;
  EXPECT_EQ(a.ShowFile, "a");
  EXPECT_EQ(a.Description, "d");
}

}  // namespace
