// Installing, reinstalling and uninstalling the program, where it keeps its
// settings, and its About window, driven from outside through the real windows
// and message boxes.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ProgramHarness.h"
#include "platform/ShellLink.h"
#include "resources/resource.h"

namespace {

const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Muralotrope";
const char* const kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
// The program's test seam: folders it must treat as unwritable.
const char* const kUnwritableFoldersVariable = "MURALOTROPE_TEST_UNWRITABLE_FOLDERS";
const DWORD kWindowWait = 30000;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void DeleteTree(const std::string& path) {
  std::string from = path + std::string(1, '\0');
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationA(&operation);
}

std::string RegistryText(HKEY root, const char* key, const char* value) {
  char text[1024] = {};
  DWORD size = sizeof text;
  if (RegGetValueA(root, key, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return "<none>";
  return text;
}

bool KeyExists(HKEY root, const char* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

// The names matching a pattern, sorted; "." and ".." left out.
std::vector<std::string> MatchingNames(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (strcmp(entry.cFileName, ".") && strcmp(entry.cFileName, "..")) names.emplace_back(entry.cFileName);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> FolderNames(const std::string& folder) { return MatchingNames(folder + "\\*"); }

// Folders the programs started from now on treat as unwritable; the programs
// inherit the variable.
class TDeclaredUnwritable {
 public:
  explicit TDeclaredUnwritable(const std::string& folders) { SetEnvironmentVariableA(kUnwritableFoldersVariable, folders.c_str()); }
  ~TDeclaredUnwritable() { SetEnvironmentVariableA(kUnwritableFoldersVariable, nullptr); }
};

// The user's desktop, start menu, start-up, documents and application-data
// folders pointed at a scratch folder while the test runs, so that no real
// shortcut, document or setting is touched.
class TScratchShellFolders {
 public:
  TScratchShellFolders() {
    // A fresh folder: one an earlier run could not remove may still hold an installation.
    root_ = NewTemporaryFolder("mt_shell_");
    for (const char* name : kNames) {
      TSaved saved{name, false, REG_NONE, std::vector<BYTE>(4096)};
      DWORD size = static_cast<DWORD>(saved.bytes.size());
      saved.existed = RegGetValueA(HKEY_CURRENT_USER, kShellFoldersKey, name, RRF_RT_ANY | RRF_NOEXPAND, &saved.type,
                                   saved.bytes.data(), &size) == ERROR_SUCCESS;
      saved.bytes.resize(size);
      saved_.push_back(saved);
      const std::string folder = root_ + "\\" + name;
      CreateDirectoryA(folder.c_str(), nullptr);
      RegSetKeyValueA(HKEY_CURRENT_USER, kShellFoldersKey, name, REG_SZ, folder.c_str(),
                      static_cast<DWORD>(folder.size() + 1));
    }
  }
  ~TScratchShellFolders() {
    for (const TSaved& saved : saved_) {
      if (saved.existed)
        RegSetKeyValueA(HKEY_CURRENT_USER, kShellFoldersKey, saved.name, saved.type, saved.bytes.data(),
                        static_cast<DWORD>(saved.bytes.size()));
      else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kShellFoldersKey, saved.name);
    }
    DeleteTree(root_);
  }
  const std::string& Root() const { return root_; }
  // The folder as the shell reports it now, with a trailing backslash.
  static std::string Path(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return std::string(path) + "\\";
  }
  // True when every redirected folder is really the scratch one.
  bool IsInEffect() const {
    for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_PERSONAL, CSIDL_APPDATA})
      if (lstrcmpiA(Path(csidl).substr(0, root_.size()).c_str(), root_.c_str()) != 0) return false;
    return true;
  }

 private:
  static constexpr const char* kNames[] = {"Desktop", "Programs", "Startup", "Personal", "AppData"};
  struct TSaved {
    const char* name;
    bool existed;
    DWORD type;
    std::vector<BYTE> bytes;
  };
  std::string root_;
  std::vector<TSaved> saved_;
};

// The top-level windows as they are now, each with its process and caption.
struct TTopWindow {
  HWND Window;
  DWORD ProcessId;
  std::string Caption;
};

std::vector<TTopWindow> TopWindows() {
  std::vector<TTopWindow> windows;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        reinterpret_cast<std::vector<TTopWindow>*>(data)->push_back({window, owner, text});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// A visible top-level window with this caption whose process is accepted (the
// error window and the About window exist hidden from the start).
HWND FindVisibleWindow(const std::string& caption, const std::function<bool(DWORD)>& acceptsProcess,
                       DWORD* processId = nullptr) {
  for (const TTopWindow& top : TopWindows())
    if (acceptsProcess(top.ProcessId) && top.Caption == caption && IsWindowVisible(top.Window)) {
      if (processId) *processId = top.ProcessId;
      return top.Window;
    }
  return nullptr;
}

HWND FindProcessWindow(DWORD processId, const std::string& caption) {
  return FindVisibleWindow(caption, [processId](DWORD owner) { return owner == processId; });
}

// One that belongs to any process but the given one.
HWND FindOtherProcessWindow(DWORD notProcessId, const std::string& caption, DWORD* processId) {
  return FindVisibleWindow(caption, [notProcessId](DWORD owner) { return owner != notProcessId; }, processId);
}

HWND WaitForProcessWindow(DWORD processId, const std::string& caption) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindProcessWindow(processId, caption)) != nullptr; }, kWindowWait);
  return window;
}

// Every text shown inside a window (a message box's text is one of its children).
std::string ChildTexts(HWND window) {
  std::string texts;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        char text[1024] = {};
        GetWindowTextA(child, text, sizeof text);
        *reinterpret_cast<std::string*>(data) += std::string(text) + "\n";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// An edit control keeps its own text, which only WM_GETTEXT reaches across processes.
void ClickInstallButton(HWND window) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_INSTALL_BUTTON, BN_CLICKED),
               reinterpret_cast<LPARAM>(TProgramUnderTest::FindControl(window, IDC_INSTALL_BUTTON)));
}

// Waits for a message box of the process, checks its text and presses a button.
void AnswerBox(DWORD processId, const std::string& caption, const std::string& text, int button) {
  HWND box = WaitForProcessWindow(processId, caption);
  ASSERT_NE(box, nullptr) << "no \"" << caption << "\" box for: " << text;
  // The box's caption comes a moment before its text.
  EXPECT_TRUE(WaitUntil([&] { return ChildTexts(box).find(text) != std::string::npos; }, 5000)) << ChildTexts(box);
  PostMessageA(box, WM_COMMAND, button, 0);
}

// The process whose main window runs the given executable, or 0.
DWORD FindRunningProgram(const std::string& exe) {
  for (const TTopWindow& top : TopWindows()) {
    if (top.Caption != "Muralotrope") continue;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, top.ProcessId);
    if (!process) continue;
    char image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const bool same = QueryFullProcessImageNameA(process, 0, image, &size) && !lstrcmpiA(image, exe.c_str());
    CloseHandle(process);
    if (same) return top.ProcessId;
  }
  return 0;
}

// Waits for the installed program's main window, then ends that program so
// that its single-instance mutex does not outlive the step.
bool WaitForAndEndInstalledProgram(const std::string& exe) {
  DWORD processId = 0;
  if (!WaitUntil([&] { return (processId = FindRunningProgram(exe)) != 0; }, kWindowWait)) return false;
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
  if (!process) return false;
  TerminateProcess(process, 9);
  const bool ended = WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

// The window with the keyboard focus in the thread that owns the given window.
HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// The install window's texts are complete once the focus is in the read-me,
// the last thing its preparation does.
bool WaitUntilPrepared(HWND window) {
  return WaitUntil([&] { return GetDlgCtrlID(FocusOf(window)) == IDC_INSTALL_README; }, kWindowWait);
}

// An executable started from anywhere with "/Uninstall"; ended when the object goes.
class TUninstaller {
 public:
  explicit TUninstaller(const std::string& exe) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\" /Uninstall";
    const std::string directory = exe.substr(0, exe.find_last_of('\\'));
    started_ = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              directory.c_str(), &startup, &process_) != FALSE;
  }
  ~TUninstaller() {
    if (!started_) return;
    TerminateProcess(process_.hProcess, 9);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  bool Started() const { return started_; }
  DWORD Id() const { return process_.dwProcessId; }
  bool WaitForExit() const { return WaitForSingleObject(process_.hProcess, kWindowWait) == WAIT_OBJECT_0; }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_ = {};
};

// A copy of the built distribution folder (Install.exe, the read-me, the
// help) in a fresh folder with an unrelated name, beside a hidden file, a
// document and a photo folder of the user's that must not be installed.
class TDistribution : public TProgramUnderTest {
 public:
  TDistribution() : TProgramUnderTest("Install.exe") {
    const std::string built = BuildFolder() + "\\Muralotrope\\";
    for (const char* name : {"Install.exe", "Readme.txt", "Help.html"})
      CopyFileA((built + name).c_str(), PathInFolder(name).c_str(), FALSE);
    WriteFile("Hidden.txt", "not for the package");
    SetFileAttributesA(PathInFolder("Hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteFile("Tax return.pdf", "private");
    CreateDirectoryA(PathInFolder("Photos").c_str(), nullptr);
    WriteFile("Photos\\Beach.jpg", "private");
  }
  std::string FolderName() const { return Folder().substr(Folder().find_last_of('\\') + 1); }

  // Starts the installer, sets the base folder and clicks Install.
  HWND StartAndClickInstall(const std::string& base) {
    if (!Start()) return nullptr;
    HWND window = WaitForTopWindow("Install Muralotrope", kWindowWait);
    if (!window || !WaitUntilPrepared(window)) return nullptr;
    EXPECT_EQ(ControlText(window, IDC_INSTALL_BUTTON), "&Install");
    EXPECT_NE(ControlText(window, IDC_INSTALL_README).find("Muralotrope"), std::string::npos);
    SendMessageA(TProgramUnderTest::FindControl(window, IDC_INSTALL_TO_EDIT), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(base.c_str()));
    ClickInstallButton(window);
    return window;
  }

  // Runs the installer into the base folder and answers its question.
  void RunInstaller(const std::string& base, const std::string& destination, bool yes) {
    ASSERT_NE(StartAndClickInstall(base), nullptr);
    AnswerBox(ProcessId(), "Query", "Install the program in directory \"" + destination + "\"?", yes ? IDYES : IDNO);
    EXPECT_EQ(WaitForExit(kWindowWait), 0);
  }
};

// Starts the uninstaller, clicks Uninstall and returns the process that asks
// the question (the uninstaller itself, or the copy it restarted with
// administrator rights), or 0.
DWORD StartUninstall(const TUninstaller& uninstaller, const std::string& destination, bool elevated) {
  if (!uninstaller.Started()) return 0;
  HWND window = WaitForProcessWindow(uninstaller.Id(), "Uninstall Muralotrope");
  if (!window || !WaitUntilPrepared(window)) return 0;
  EXPECT_EQ(ControlText(window, IDC_INSTALL_TO_EDIT), destination + "\\");
  EXPECT_EQ(ControlText(window, IDC_INSTALL_BUTTON), "Un&install");
  ClickInstallButton(window);
  DWORD asking = uninstaller.Id();
  if (elevated) {
    asking = 0;
    WaitUntil([&] { return FindOtherProcessWindow(uninstaller.Id(), "Query", &asking) != nullptr; }, kWindowWait);
  }
  return asking;
}

// True once the folder is gone: the helper removes the uninstaller's own file
// and the folder after the uninstaller has ended.
bool WaitUntilGone(const std::string& path) {
  return WaitUntil([&] { return !Exists(path); }, kWindowWait);
}

// No copy of the removal helper is left in the temporary folder.
bool NoRemovalHelperLeft() {
  return WaitUntil([] { return MatchingNames(TempFolder() + "Muralotrope_Removal_*").empty(); }, kWindowWait);
}

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    ASSERT_TRUE(shell_.IsInEffect()) << "the shell folders could not be redirected; not touching the real ones";
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    base_ = shell_.Root() + "\\Base";
    CreateDirectoryA(base_.c_str(), nullptr);
  }
  void TearDown() override {
    // An installed copy still running would keep its folder from being removed.
    EndLeftoverPrograms();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    CoUninitialize();
  }
  TScratchShellFolders shell_;
  std::string base_;
};

TEST_F(InstallTest, AnsweringNoChangesNothing) {
  TDistribution distribution;
  const std::string destination = base_ + "\\Muralotrope";
  distribution.RunInstaller(base_, destination, false);
  EXPECT_FALSE(Exists(destination));
  EXPECT_FALSE(Exists(shell_.Path(CSIDL_DESKTOPDIRECTORY) + "Muralotrope.lnk"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_TRUE(distribution.FileExists("Install.exe"));
}

TEST_F(InstallTest, InstallReinstallAndUninstall) {
  TDistribution distribution;
  const std::string destination = base_ + "\\Muralotrope";
  const std::string exe = destination + "\\Muralotrope.exe";
  const std::string desktopLink = shell_.Path(CSIDL_DESKTOPDIRECTORY) + "Muralotrope.lnk";
  const std::string menu = shell_.Path(CSIDL_PROGRAMS) + "Muralotrope\\";

  // Install: only the package, under the program's name whatever the
  // distribution's folder is called, the shortcuts, the uninstall entry, the program started.
  ASSERT_NE(distribution.FolderName(), "Muralotrope");
  distribution.RunInstaller(base_, destination, true);
  EXPECT_EQ(FolderNames(base_), std::vector<std::string>{"Muralotrope"});
  EXPECT_EQ(FolderNames(destination), (std::vector<std::string>{"Help.html", "Muralotrope.exe", "Readme.txt"}));
  EXPECT_EQ(ReadWholeFile(destination + "\\Readme.txt"), distribution.ReadFile("Readme.txt"));
  TLinkFile link;
  EXPECT_TRUE(link.Load(desktopLink, false));
  EXPECT_EQ(lstrcmpiA(link.ReferencePath.c_str(), exe.c_str()), 0) << link.ReferencePath;
  EXPECT_EQ(FolderNames(shell_.Path(CSIDL_PROGRAMS)), std::vector<std::string>{"Muralotrope"});
  EXPECT_TRUE(link.Load(menu + "Muralotrope.lnk", false));
  EXPECT_TRUE(link.Load(menu + "Uninstall.lnk", false));
  EXPECT_EQ(link.Arguments, "/Uninstall");
  EXPECT_TRUE(link.Load(menu + "Readme.lnk", false));
  EXPECT_EQ(lstrcmpiA(link.ReferencePath.c_str(), (destination + "\\Readme.txt").c_str()), 0);
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Muralotrope");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), exe + " /Uninstall");

  // Reinstall while the installed program runs: refused with the reason, nothing changed, no installer left.
  ASSERT_TRUE(WaitUntil([&] { return FindRunningProgram(exe) != 0; }, kWindowWait));
  const std::string options = "[DirectoryList]\r\nCount=1\r\nTitle0=" + destination + "\r\nActive0=TRUE\r\n";
  WriteWholeFile(destination + "\\Muralotrope.ini", options);
  WriteWholeFile(destination + "\\Readme.txt", "stale");
  ASSERT_NE(distribution.StartAndClickInstall(base_), nullptr);
  AnswerBox(distribution.ProcessId(), "Query", "Install the program in directory \"" + destination + "\"?", IDYES);
  AnswerBox(distribution.ProcessId(), "Error", "The program is running from \"" + exe + "\"", IDOK);
  EXPECT_EQ(distribution.WaitForExit(kWindowWait), 0);
  EXPECT_FALSE(Exists(destination + "\\Install.exe"));
  EXPECT_EQ(ReadWholeFile(destination + "\\Readme.txt"), "stale");

  // Once it is closed, the reinstall renews the package files and keeps the options file.
  ASSERT_TRUE(WaitForAndEndInstalledProgram(exe));
  DeleteFileA(desktopLink.c_str());
  distribution.RunInstaller(base_, destination, true);
  EXPECT_EQ(ReadWholeFile(destination + "\\Muralotrope.ini"), options);
  EXPECT_EQ(ReadWholeFile(destination + "\\Readme.txt"), distribution.ReadFile("Readme.txt"));
  EXPECT_FALSE(Exists(destination + "\\Install.exe"));
  EXPECT_TRUE(Exists(exe));
  EXPECT_TRUE(Exists(desktopLink));
  ASSERT_TRUE(WaitForAndEndInstalledProgram(exe));

  // Uninstall: everything goes, the running uninstaller's own file once it has ended.
  const std::string autorunLink = shell_.Path(CSIDL_STARTUP) + "Muralotrope.lnk";
  WriteWholeFile(autorunLink, "autorun");
  WriteWholeFile(destination + "\\Errors.log", "log");
  {
    TUninstaller uninstaller(exe);
    const DWORD asking = StartUninstall(uninstaller, destination, false);
    ASSERT_NE(asking, 0u);
    AnswerBox(asking, "Query", "Delete directory \"" + destination + "\\\" (and all contained files)?", IDYES);
    AnswerBox(asking, "Message", "Uninstallation successful. Some files that were in use were not deleted.", IDOK);
    EXPECT_TRUE(uninstaller.WaitForExit());
  }
  EXPECT_TRUE(WaitUntilGone(destination)) << testing::PrintToString(FolderNames(destination));
  EXPECT_TRUE(Exists(base_));
  EXPECT_FALSE(Exists(desktopLink));
  EXPECT_FALSE(Exists(menu));
  EXPECT_FALSE(Exists(autorunLink));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_TRUE(NoRemovalHelperLeft());
  // The distribution's own folder, with the user's files, is untouched.
  EXPECT_TRUE(distribution.FileExists("Install.exe"));
  EXPECT_EQ(distribution.ReadFile("Photos\\Beach.jpg"), "private");
}

// A program file that cannot be replaced (a folder holds its name) stops the
// install after the copy: it says so, and leaves no second installer, no
// shortcut and no uninstall entry behind.
TEST_F(InstallTest, AnInstallWhoseRenameFailsSaysSoAndAddsNothing) {
  TDistribution distribution;
  const std::string destination = base_ + "\\Muralotrope";
  ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((destination + "\\Muralotrope.exe").c_str(), nullptr));
  ASSERT_NE(distribution.StartAndClickInstall(base_), nullptr);
  AnswerBox(distribution.ProcessId(), "Query", "Install the program in directory \"" + destination + "\"?", IDYES);
  HWND error = WaitForProcessWindow(distribution.ProcessId(), "Error");
  ASSERT_NE(error, nullptr);
  EXPECT_TRUE(WaitUntil(
      [&] { return ControlText(error, IDC_ERROR_MEMO).find("Failed to install program.") != std::string::npos; }, 5000))
      << ControlText(error, IDC_ERROR_MEMO);
  PostMessageA(error, WM_COMMAND, MAKEWPARAM(IDC_ERROR_OKAY, BN_CLICKED), 0);
  EXPECT_EQ(distribution.WaitForExit(kWindowWait), 0);
  EXPECT_EQ(FolderNames(destination), (std::vector<std::string>{"Help.html", "Muralotrope.exe", "Readme.txt"}));
  EXPECT_FALSE(Exists(shell_.Path(CSIDL_DESKTOPDIRECTORY) + "Muralotrope.lnk"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

// A destination the program may not write makes install and uninstall restart
// themselves with administrator rights: the question then comes from the
// restarted copy, and the work is done all the same.
TEST_F(InstallTest, AnUnwritableDestinationRestartsInstallAndUninstallElevated) {
  TDeclaredUnwritable unwritable(base_);
  TDistribution distribution;
  const std::string destination = base_ + "\\Muralotrope";
  const std::string exe = destination + "\\Muralotrope.exe";

  HWND window = distribution.StartAndClickInstall(base_);
  ASSERT_NE(window, nullptr);
  DWORD elevated = 0;
  ASSERT_TRUE(WaitUntil([&] { return FindOtherProcessWindow(distribution.ProcessId(), "Query", &elevated); },
                        kWindowWait));
  EXPECT_FALSE(IsWindowVisible(window)) << "the installer that lacks the rights steps back";
  AnswerBox(elevated, "Query", "Install the program in directory \"" + destination + "\"?", IDYES);
  EXPECT_EQ(distribution.WaitForExit(kWindowWait), 0);
  EXPECT_EQ(FolderNames(destination), (std::vector<std::string>{"Help.html", "Muralotrope.exe", "Readme.txt"}));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), exe + " /Uninstall");
  // The installer that asked for the rights starts the program, after the restarted copy has ended.
  ASSERT_TRUE(WaitForAndEndInstalledProgram(exe));

  {
    TUninstaller uninstaller(exe);
    const DWORD asking = StartUninstall(uninstaller, destination, true);
    ASSERT_NE(asking, 0u);
    EXPECT_NE(asking, uninstaller.Id());
    AnswerBox(asking, "Query", "Delete directory \"" + destination + "\\\" (and all contained files)?", IDYES);
    AnswerBox(asking, "Message", "Uninstallation successful. Some files that were in use were not deleted.", IDOK);
    EXPECT_TRUE(uninstaller.WaitForExit());
  }
  EXPECT_TRUE(WaitUntilGone(destination)) << testing::PrintToString(FolderNames(destination));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_TRUE(NoRemovalHelperLeft());
}

TEST_F(InstallTest, UninstallFromTheDocumentsFolderIsRefused) {
  const std::string documents = shell_.Path(CSIDL_PERSONAL);
  const std::string exe = documents + "Muralotrope.exe";
  ASSERT_TRUE(CopyFileA((BuildFolder() + "\\Muralotrope.exe").c_str(), exe.c_str(), FALSE));
  WriteWholeFile(documents + "Letter.txt", "keep me");
  TUninstaller uninstaller(exe);
  ASSERT_TRUE(uninstaller.Started());
  HWND window = WaitForProcessWindow(uninstaller.Id(), "Uninstall Muralotrope");
  EXPECT_NE(window, nullptr);
  if (window) {
    ClickInstallButton(window);
    AnswerBox(uninstaller.Id(), "Error", "will not be deleted", IDOK);
  }
  EXPECT_TRUE(uninstaller.WaitForExit());
  EXPECT_EQ(ReadWholeFile(documents + "Letter.txt"), "keep me");
  EXPECT_TRUE(Exists(exe));
}

// ---- Where the settings live ----

// A run of the program whose settings are checked through a combo box's value
// that survives a close and a new start.
class SettingsHomeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(shell_.IsInEffect()); }
  std::string UserSettings() const { return shell_.Path(CSIDL_APPDATA) + "Muralotrope\\"; }
  static std::string Options(const TProgramUnderTest& program, const std::string& margin) {
    return "[Main]\r\nAutorun=FALSE\r\nHideOnClose=TRUE\r\nDesktopMargin=" + margin +
           "\r\n[Wallpaper]\r\nIsAutoChange=FALSE\r\n[BroadcastWallpaperChange]\r\nIsAutoChange=FALSE\r\n"
           "[DirectoryList]\r\nCount=1\r\nTitle0=" + WriteUniformPictures(program, {0x336699}) +
           "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n";
  }
  // Starts the program, reads the margin it loaded, chooses another and closes it for real.
  static std::string StartChangeMarginAndClose(TProgramUnderTest& program, const std::string& newMargin) {
    if (!program.Start("ShowOnStart")) return "<not started>";
    HWND window = program.WaitForMainWindow(kWindowWait);
    if (!window) return "<no window>";
    // The options are loaded once the picture names are.
    if (!WaitUntil([&] { return ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL) == LoadedPicturesCountText(1); },
                   kWindowWait))
      return "<not loaded>";
    const std::string loaded = ControlText(window, IDC_DESKTOP_MARGIN_COMBOBOX);
    EXPECT_TRUE(SelectComboText(window, IDC_DESKTOP_MARGIN_COMBOBOX, newMargin));
    EXPECT_TRUE(ClickLink(window, IDC_CLOSE_PROGRAM_LABEL));
    EXPECT_EQ(program.WaitForExit(kWindowWait), 0);
    return loaded;
  }
  TScratchShellFolders shell_;
};

TEST_F(SettingsHomeTest, AWritableProgramFolderKeepsTheSettingsBesideTheProgram) {
  TProgramUnderTest program;
  program.WriteFile("Muralotrope.ini", Options(program, "10"));
  EXPECT_EQ(StartChangeMarginAndClose(program, "35"), "10");
  EXPECT_NE(program.ReadFile("Muralotrope.ini").find("DesktopMargin=35"), std::string::npos);
  EXPECT_TRUE(program.FileExists("CalendarSkins"));
  EXPECT_FALSE(Exists(UserSettings()));
  EXPECT_EQ(StartChangeMarginAndClose(program, "40"), "35");
}

TEST_F(SettingsHomeTest, AnUnwritableProgramFolderMovesTheSettingsToTheUsersFolderOnce) {
  TProgramUnderTest program;
  TDeclaredUnwritable unwritable(program.Folder());
  const std::string before = Options(program, "10");
  program.WriteFile("Muralotrope.ini", before);
  CreateDirectoryA(program.PathInFolder("CalendarSkins").c_str(), nullptr);
  program.WriteFile("CalendarSkins\\Mine.wps", "[CalendarSkin]\r\nBackColor=255\r\n");

  // The first start copies the options file and the skins; the options read are the copied ones.
  EXPECT_EQ(StartChangeMarginAndClose(program, "35"), "10");
  EXPECT_EQ(ReadWholeFile(UserSettings() + "CalendarSkins\\Mine.wps"), "[CalendarSkin]\r\nBackColor=255\r\n");
  EXPECT_NE(ReadWholeFile(UserSettings() + "Muralotrope.ini").find("DesktopMargin=35"), std::string::npos);
  EXPECT_EQ(program.ReadFile("Muralotrope.ini"), before) << "nothing is written beside the program";

  // Later starts read and write the user's copy only.
  program.WriteFile("Muralotrope.ini", Options(program, "15"));
  EXPECT_EQ(StartChangeMarginAndClose(program, "40"), "35");
  EXPECT_NE(ReadWholeFile(UserSettings() + "Muralotrope.ini").find("DesktopMargin=40"), std::string::npos);
}

TEST(AboutTest, OpensFromTheAboutLinkWithNameAndVersionEscapeClosesEnterPressesOkay) {
  TProgramUnderTest program;
  program.WriteFile("Muralotrope.ini", "[DirectoryList]\r\nCount=1\r\nTitle0=" + program.Folder() +
                                           "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n");
  ASSERT_TRUE(program.Start("ShowOnStart"));
  HWND main = program.WaitForTopWindow("Muralotrope", kWindowWait, "#32770");
  ASSERT_NE(main, nullptr);
  HWND about = program.WaitForTopWindow("About", kWindowWait, "#32770");
  ASSERT_NE(about, nullptr);
  // The window exists a moment before its controls do.
  HWND okay = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (okay = GetDlgItem(about, IDOK)) != nullptr; }, kWindowWait));
  for (UINT key : {VK_ESCAPE, VK_RETURN}) {
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_LABEL, STN_CLICKED),
                 reinterpret_cast<LPARAM>(TProgramUnderTest::FindControl(main, IDC_ABOUT_LABEL)));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(about) && FocusOf(about) == okay; }, 5000))
        << "key " << key << ", focus on control " << GetDlgCtrlID(FocusOf(about));
    EXPECT_EQ(ControlText(about, IDC_ABOUT_PROGRAM_NAME), "Muralotrope");
    EXPECT_EQ(ControlText(about, IDC_ABOUT_PROGRAM_VERSION), "Version 1.2.3, released on 21.11.2007");
    EXPECT_EQ(ControlText(about, IDC_ABOUT_SETTINGS_FOLDER), "Settings are kept in " + program.Folder() + "\\");
    EXPECT_FALSE(IsWindowEnabled(main));
    PostMessageA(okay, WM_KEYDOWN, key, 1);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about) && IsWindowEnabled(main); }, 10000)) << "key " << key;
  }
  EXPECT_TRUE(program.IsRunning());
}

}  // namespace
