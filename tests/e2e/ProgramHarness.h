// Starts the real program in a fresh program folder inside the Wine desktop
// and finds its windows; every wait polls a condition up to a deadline.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class TProgramUnderTest {
 public:
  // Copies the built executable into a new temporary folder under the given name.
  explicit TProgramUnderTest(const std::string& exeName = "Muralotrope.exe");
  ~TProgramUnderTest();

  const std::string& Folder() const { return folder_; }
  std::string PathInFolder(const std::string& name) const { return folder_ + "\\" + name; }
  void WriteFile(const std::string& name, const std::string& bytes) const;
  std::string ReadFile(const std::string& name) const;
  bool FileExists(const std::string& name) const;

  bool Start(const std::string& arguments = "");
  // Waits for the process to end; its exit code, or -1 on time-out.
  int WaitForExit(DWORD milliseconds);
  bool IsRunning() const;
  void Kill();
  HANDLE Process() const { return process_.hProcess; }
  DWORD ProcessId() const { return process_.dwProcessId; }

  // The process's top-level window with this caption (and class, when given).
  HWND FindTopWindow(const std::string& caption, const char* className = nullptr) const;
  HWND WaitForTopWindow(const std::string& caption, DWORD milliseconds, const char* className = nullptr) const;
  // A control anywhere below a window.
  static HWND FindControl(HWND window, int id);

 private:
  std::string folder_;
  std::string exe_;
  PROCESS_INFORMATION process_ = {};
};

// Polls a condition every 50 ms until it holds or the time runs out.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);

// The folder holding the test executable and the built program.
std::string BuildFolder();
