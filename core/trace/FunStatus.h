// The function status trace: every operation announces itself in one
// program-wide record, keeps its own outcome in a local record, and copies that
// record back on exit so that its caller can see and pass on a failure.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

enum FunStatus : int32_t {
  Perfect = 0,
  Warning = 1,
  Error = 2,
  BeginFunctionError = 3,
  Panic = 4,
  Catastrophe = 5,
};

// A status counts as a failure above Warning.
inline bool IsFailureStatus(int32_t status) { return status > Warning; }

// What the report needs from the running system; the platform layer fills it in.
struct TReportEnvironment {
  std::function<std::string(uint32_t code)> SystemErrorText;
  std::function<std::string()> LongDateText;     // user locale's long date
  std::function<std::string()> LongTimeText;     // long time with ':' separator
  std::function<int()> DayOfYear;                // 1-based
  std::function<int()> HundredSeconds;           // 0..863 since midnight
  std::function<std::string()> ProgramPath;
  std::function<int()> RecursionCounter;         // the error window's counter
  std::function<uint32_t()> LastErrorCode;       // the thread's last-error code
  // Opens the error window; returns its result. Empty while no window exists.
  std::function<bool(const std::string& caption, const std::string& description,
                     bool* noErrors, const std::string& report)>
      ShowReport;
  // The plain message box used when no error window exists.
  std::function<void(const std::string& text, const std::string& caption)> PlainMessage;
};

TReportEnvironment& ReportEnvironment();

class TFunStatContext {
 public:
  int32_t Status = Perfect;
  std::string File;
  std::string Function;
  int Line = 0;
  std::string Description;
  std::string Parameter1;
  std::string Parameter2;
  uint32_t SystemErrorCode = 0;
  std::string ShowFile;
  std::string ShowFunction;
  int ShowLine = 0;
  int UserCode = 0;
  std::string UserText;
  int UserInt = 0;
  double UserReal = 0;

  TFunStatContext();
  TFunStatContext(const TFunStatContext& other);
  // Copies every field except the show context, which stays the target's.
  TFunStatContext& operator=(const TFunStatContext& other);

  void Reset(int32_t status);
  void ResetUserInfo();
  void Begin(const std::string& file, const std::string& function, int line);
  void Raise(const std::string& file, const std::string& function, int line, int32_t status,
             const std::string& description, const std::string& parameter1,
             const std::string& parameter2, uint32_t systemErrorCode);
  void SetShowContext(const std::string& file, const std::string& function, int line);

  bool Failed() const { return IsFailureStatus(Status); }

  static std::string GetStatusText(int32_t status);
  std::string GetReportText() const;
  bool ShowStatus(const std::string& description, bool* noErrors = nullptr);
  // The GUI loop's handler for an exception that escaped an event handler.
  void OnApplicationException(const std::string& message);
};

// The program-wide record.
extern TFunStatContext FunStatContext;

// File-name part of a path: what follows the last backslash, slash or colon.
std::string FileNamePartOfSourcePath(const std::string& path);

// One traced operation. Construct it first thing in the operation (FUN_TRACE),
// run the body through Guard, and it copies the local record back on exit.
//
// A traced callee leaves its outcome in the program-wide record only. The
// caller passes a failure on by checking right after the call (FUN_CALL, or
// trace_.CalleeFailed() where the body goes on after a failure); a failure
// that no caller checks is dropped: the next traced entry, or the caller's
// own return, overwrites the program-wide record with the caller's outcome.
class TTrace {
 public:
  TTrace(const char* file, const char* function, int line);
  ~TTrace();
  TTrace(const TTrace&) = delete;
  TTrace& operator=(const TTrace&) = delete;

  TFunStatContext Local;

  // Records a failure detected by a test.
  void Raise(int line, const std::string& description, const std::string& parameter1 = "",
             const std::string& parameter2 = "", uint32_t systemErrorCode = 0,
             int32_t status = Error);
  // After a traced callee: true (and the callee's record taken over) when it failed.
  bool CalleeFailed();
  bool Failed() const { return Local.Failed(); }

  // Runs the body inside the exception guard; an exception is recorded, never rethrown.
  template <class Body>
  void Guard(int handlerLine, Body&& body) noexcept {
    try {
      body();
    } catch (const std::exception& e) {
      RecordException(handlerLine, std::string("Unhandled exception: ") + e.what());
    } catch (...) {
      RecordException(handlerLine, "Unhandled generic exception.");
    }
  }

  // For operations at the top of a user action: shows a failure with the
  // operation's own message, then resets the local record to Perfect.
  void ShowIfFailed(int line, const std::string& message);

  const char* FileName() const { return file_; }
  const char* FunctionName() const { return function_; }

 private:
  void RecordException(int line, const std::string& description);
  const char* file_;
  const char* function_;
};

#define FUN_TRACE(name) TTrace trace_(__FILE__, name, __LINE__)
#define FUN_GUARD(...) trace_.Guard(__LINE__, [&]() __VA_ARGS__)
#define FUN_RAISE(...) trace_.Raise(__LINE__, __VA_ARGS__)
#define FUN_SHOW(message) trace_.ShowIfFailed(__LINE__, message)

// Inside a guarded body: runs a call of a traced operation and, when the callee
// failed, takes its record over and leaves the body. FUN_CALL(SaveFile(path));
#define FUN_CALL(...)                       \
  do {                                      \
    __VA_ARGS__;                            \
    if (trace_.CalleeFailed()) return;      \
  } while (false)
// The same for a call whose result the body keeps:
// FUN_CALL_INTO(const std::string folder, GetTempDirectory());
// The declaration stays in the body's scope, so the form is a statement of its own.
#define FUN_CALL_INTO(declaration, ...) \
  declaration = __VA_ARGS__;            \
  if (trace_.CalleeFailed()) return

// Drops a failure that callees left in the program-wide record, so that the
// caller's check sees success: for an operation that returns before its trace
// starts because it has nothing to do, and for callees whose failures an
// operation deliberately neither stops for nor passes on.
inline void DropCalleeFailure() { FunStatContext.Reset(Perfect); }

// The system error tests.
inline bool IsSystemError(uint32_t code) { return code != 0 && code != 14 && code != 1235; }
inline bool IsSystemErrorAllowExisting(uint32_t code) { return IsSystemError(code) && code != 183; }
inline bool IsNoMoreFilesCode(uint32_t code) { return code == 0 || code == 2 || code == 18; }
inline bool IsComFailure(int32_t result) {
  return result < 0 && static_cast<uint32_t>(result) != 0x800704C7u;
}
