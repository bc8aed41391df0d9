#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/ErrorForm.h"
#include "app/main/MainForm.h"
#include "core/trace/FunStatus.h"
#include "platform/LogFile.h"
#include "platform/Program.h"
#include "resources/resource.h"

namespace {

std::string TempPath(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

TEST(ErrorLogTest, TruncatesOnlyAboveTenThousandBytes) {
  const std::string path = TempPath("muralotrope_errors_test.log");
  const std::string entry = "DESCRIPTION\r\nx";
  const long long entrySize = 10 + static_cast<long long>(entry.size()) + 14;
  for (long long start : {10000LL, 10001LL}) {
    { std::ofstream(path, std::ios::binary) << std::string(static_cast<size_t>(start), 'a'); }
    ASSERT_TRUE(AppendToLogFile(path, entry, TErrorForm::kLogTruncateAbove));
    const long long expected = start == 10000 ? start + entrySize : entrySize;
    EXPECT_EQ(FileSize(path), expected) << "starting from " << start << " bytes";
  }
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "**********DESCRIPTION\r\nx\r\n**********\r\n");
  DeleteFileA(path.c_str());
}

// While a report shows, a thread timer notes which windows can be used and
// then presses Okay, as the user would.
struct TReportWatch {
  static TReportWatch* Current;
  HWND ErrorWindow = nullptr;
  std::vector<HWND> Watched;
  std::vector<bool> EnabledDuringReport;
  bool Seen = false;

  bool ShowReport(TErrorForm& form) {
    Current = this;
    ErrorWindow = form.Handle();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
      TReportWatch* watch = Current;
      if (watch->Seen || !IsWindowVisible(watch->ErrorWindow)) return;
      watch->Seen = true;
      for (HWND window : watch->Watched) watch->EnabledDuringReport.push_back(IsWindowEnabled(window) != FALSE);
      PostMessageA(watch->ErrorWindow, WM_COMMAND, MAKEWPARAM(IDC_ERROR_OKAY, BN_CLICKED), 0);
    });
    const bool accepted = form.ShowReport("Error", "Failed to perform.", nullptr, "report");
    KillTimer(nullptr, timer);
    Current = nullptr;
    return accepted && Seen;
  }
};
TReportWatch* TReportWatch::Current = nullptr;

HWND MakeTopWindow(HWND owner) {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST(ErrorWindowTest, AReportDisablesEveryWindowOfTheProgramUntilItIsAnswered) {
  HWND owner = MakeTopWindow(nullptr);
  HWND dialog = MakeTopWindow(owner);
  HWND disabledBefore = MakeTopWindow(nullptr);
  EnableWindow(disabledBefore, FALSE);
  {
    TErrorForm form;
    ASSERT_TRUE(form.Create(owner));
    TReportWatch watch;
    watch.Watched = {owner, dialog, disabledBefore};
    ASSERT_TRUE(watch.ShowReport(form));
    EXPECT_EQ(watch.EnabledDuringReport, (std::vector<bool>{false, false, false}));
  }
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_TRUE(IsWindowEnabled(dialog));
  EXPECT_FALSE(IsWindowEnabled(disabledBefore));
  for (HWND window : {dialog, owner, disabledBefore}) DestroyWindow(window);
}

TEST(ErrorWindowTest, GoneItLeavesReportsToThePlainMessageBox) {
  TReportEnvironment& env = ReportEnvironment();
  const auto savedPlainMessage = env.PlainMessage;
  std::string plain;
  env.PlainMessage = [&](const std::string& text, const std::string&) { plain = text; };
  {
    TErrorForm form;
    ASSERT_TRUE(form.Create(nullptr));
    ASSERT_EQ(ErrorForm, &form);
  }
  ASSERT_EQ(ErrorForm, nullptr);
  ASSERT_FALSE(env.ShowReport);
  EXPECT_FALSE(env.RecursionCounter);
  TFunStatContext record;
  record.Raise(__FILE__, "Teardown", __LINE__, Error, "Failed during teardown.", "", "", 0);
  EXPECT_FALSE(record.ShowStatus("Failed to perform."));
  EXPECT_EQ(plain, "The error-dialog form is not created. You must create it.");
  env.PlainMessage = savedPlainMessage;
}

TEST(ErrorWindowTest, ClosingTheMainWindowForRealKeepsItAndTheErrorWindowForTheLastReport) {
  auto mainForm = std::make_unique<TMainForm>();
  ASSERT_TRUE(mainForm->Create());
  {
    TErrorForm form;
    ASSERT_TRUE(form.Create(mainForm->Handle()));
    mainForm->RequestExit();
    mainForm->FormCloseQuery();
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    ASSERT_TRUE(IsWindow(mainForm->Handle()));
    EXPECT_FALSE(IsWindowVisible(mainForm->Handle()));
    ASSERT_TRUE(IsWindow(form.Handle()));
    // A failure still pending at the end of the loop can be answered.
    TReportWatch watch;
    EXPECT_TRUE(watch.ShowReport(form));
  }
  mainForm.reset();
}

TEST(ErrorWindowDeathTest, AbortIsInterceptedWithItsReport) {
  ASSERT_NE(&Program, nullptr);
  EXPECT_EXIT(
      {
        ReportEnvironment().ShowReport = [](const std::string&, const std::string& description, bool*,
                                            const std::string&) {
          std::fprintf(stderr, "%s\n", description.c_str());
          std::fflush(stderr);
          return true;
        };
        std::abort();
      },
      ::testing::ExitedWithCode(1), "Abort intercepted");
}

}  // namespace
