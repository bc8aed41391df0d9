#include "ProgramHarness.h"

#include <shellapi.h>

#include <fstream>
#include <iterator>

std::string BuildFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (true) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    // Let the other process run; this is a poll interval, not a synchronisation.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

TProgramUnderTest::TProgramUnderTest(const std::string& exeName) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  folder_ = std::string(temp) + "mt_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
  CreateDirectoryA(folder_.c_str(), nullptr);
  exe_ = PathInFolder(exeName);
  CopyFileA((BuildFolder() + "\\Muralotrope.exe").c_str(), exe_.c_str(), FALSE);
}

TProgramUnderTest::~TProgramUnderTest() {
  Kill();
  if (process_.hProcess) CloseHandle(process_.hProcess);
  if (process_.hThread) CloseHandle(process_.hThread);
  // Remove the folder and everything in it.
  std::string from = folder_ + std::string(1, '\0');
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationA(&operation);
}

void TProgramUnderTest::WriteFile(const std::string& name, const std::string& bytes) const {
  std::ofstream(PathInFolder(name), std::ios::binary) << bytes;
}

std::string TProgramUnderTest::ReadFile(const std::string& name) const {
  std::ifstream in(PathInFolder(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TProgramUnderTest::FileExists(const std::string& name) const {
  return GetFileAttributesA(PathInFolder(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TProgramUnderTest::Start(const std::string& arguments) {
  std::string commandLine = "\"" + exe_ + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                        &startup, &process_) != FALSE;
}

int TProgramUnderTest::WaitForExit(DWORD milliseconds) {
  if (!process_.hProcess || WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<int>(code);
}

bool TProgramUnderTest::IsRunning() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void TProgramUnderTest::Kill() {
  if (IsRunning()) {
    TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, 5000);
  }
}

namespace {
struct TWindowSearch {
  DWORD processId;
  const std::string* caption;
  const char* className;
  HWND found;
};
}  // namespace

HWND TProgramUnderTest::FindTopWindow(const std::string& caption, const char* className) const {
  TWindowSearch search{process_.dwProcessId, &caption, className, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<TWindowSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->processId) return TRUE;
        char text[256] = {}, cls[256] = {};
        GetWindowTextA(window, text, sizeof text);
        GetClassNameA(window, cls, sizeof cls);
        if (*s->caption == text && (!s->className || std::string(s->className) == cls)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND TProgramUnderTest::WaitForTopWindow(const std::string& caption, DWORD milliseconds, const char* className) const {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindTopWindow(caption, className)) != nullptr; }, milliseconds);
  return window;
}

HWND TProgramUnderTest::FindControl(HWND window, int id) {
  struct TFind { int id; HWND found; } find{id, nullptr};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* f = reinterpret_cast<TFind*>(data);
        if (GetDlgCtrlID(child) == f->id) {
          f->found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}
