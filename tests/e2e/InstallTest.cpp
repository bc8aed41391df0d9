// Installing, reinstalling and uninstalling the program, and its About window,
// driven from outside through the real windows and message boxes.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <vector>

#include "ProgramHarness.h"
#include "platform/ShellLink.h"
#include "resources/resource.h"

namespace {

const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Muralotrope";
const char* const kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
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

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
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

// The user's desktop, start menu, start-up and documents folders pointed at a
// scratch folder while the test runs, so that no real shortcut or document is touched.
class TScratchShellFolders {
 public:
  TScratchShellFolders() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "mt_shell_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root_.c_str(), nullptr);
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
    for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_PERSONAL})
      if (lstrcmpiA(Path(csidl).substr(0, root_.size()).c_str(), root_.c_str()) != 0) return false;
    return true;
  }

 private:
  static constexpr const char* kNames[] = {"Desktop", "Programs", "Startup", "Personal"};
  struct TSaved {
    const char* name;
    bool existed;
    DWORD type;
    std::vector<BYTE> bytes;
  };
  std::string root_;
  std::vector<TSaved> saved_;
};

// A visible top-level window of a process by its caption (the error window
// and the About window exist hidden from the start).
HWND FindProcessWindow(DWORD processId, const std::string& caption) {
  struct TSearch {
    DWORD processId;
    const std::string* caption;
    HWND found;
  } search{processId, &caption, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        if (owner != s->processId || *s->caption != text || !IsWindowVisible(window)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
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
  struct TSearch {
    const std::string* exe;
    DWORD found;
  } search{&exe, 0};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(data);
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        if (std::string(text) != "Muralotrope") return TRUE;
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
        if (!process) return TRUE;
        char image[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        const bool same = QueryFullProcessImageNameA(process, 0, image, &size) && !lstrcmpiA(image, s->exe->c_str());
        CloseHandle(process);
        if (!same) return TRUE;
        s->found = processId;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
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
// help) in a fresh folder, plus a hidden file that must not be installed.
class TDistribution : public TProgramUnderTest {
 public:
  TDistribution() : TProgramUnderTest("Install.exe") {
    const std::string built = BuildFolder() + "\\Muralotrope\\";
    for (const char* name : {"Install.exe", "Readme.txt", "Help.html"})
      CopyFileA((built + name).c_str(), PathInFolder(name).c_str(), FALSE);
    WriteFile("Hidden.txt", "not for the package");
    SetFileAttributesA(PathInFolder("Hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  }
  std::string FolderName() const { return Folder().substr(Folder().find_last_of('\\') + 1); }

  // Runs the installer into the base folder and answers its question.
  void RunInstaller(const std::string& base, const std::string& destination, bool yes) {
    ASSERT_TRUE(Start());
    HWND window = WaitForTopWindow("Install Muralotrope", kWindowWait);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntilPrepared(window));
    EXPECT_EQ(ControlText(window, IDC_INSTALL_BUTTON), "&Install");
    EXPECT_NE(ControlText(window, IDC_INSTALL_README).find("Muralotrope"), std::string::npos);

    SendMessageA(TProgramUnderTest::FindControl(window, IDC_INSTALL_TO_EDIT), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(base.c_str()));
    ClickInstallButton(window);
    AnswerBox(ProcessId(), "Query", "Install the program in directory \"" + destination + "\"?", yes ? IDYES : IDNO);
    EXPECT_EQ(WaitForExit(kWindowWait), 0);
  }
};

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
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    CoUninitialize();
  }
  TScratchShellFolders shell_;
  std::string base_;
};

TEST_F(InstallTest, AnsweringNoChangesNothing) {
  TDistribution distribution;
  const std::string destination = base_ + "\\" + distribution.FolderName();
  distribution.RunInstaller(base_, destination, false);
  EXPECT_FALSE(Exists(destination));
  EXPECT_FALSE(Exists(shell_.Path(CSIDL_DESKTOPDIRECTORY) + "Muralotrope.lnk"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_TRUE(distribution.FileExists("Install.exe"));
}

TEST_F(InstallTest, InstallReinstallAndUninstall) {
  TDistribution distribution;
  const std::string destination = base_ + "\\" + distribution.FolderName();
  const std::string exe = destination + "\\Muralotrope.exe";
  const std::string desktopLink = shell_.Path(CSIDL_DESKTOPDIRECTORY) + "Muralotrope.lnk";
  const std::string menu = shell_.Path(CSIDL_PROGRAMS) + distribution.FolderName() + "\\";

  // Install: the package under its new name, the shortcuts, the uninstall entry, the program started.
  distribution.RunInstaller(base_, destination, true);
  EXPECT_TRUE(Exists(exe));
  EXPECT_FALSE(Exists(destination + "\\Install.exe"));
  EXPECT_EQ(ReadWholeFile(destination + "\\Readme.txt"), distribution.ReadFile("Readme.txt"));
  EXPECT_TRUE(Exists(destination + "\\Help.html"));
  EXPECT_FALSE(Exists(destination + "\\Hidden.txt"));
  TLinkFile link;
  EXPECT_TRUE(link.Load(desktopLink, false));
  EXPECT_EQ(lstrcmpiA(link.ReferencePath.c_str(), exe.c_str()), 0) << link.ReferencePath;
  EXPECT_TRUE(link.Load(menu + "Muralotrope.lnk", false));
  EXPECT_TRUE(link.Load(menu + "Uninstall.lnk", false));
  EXPECT_EQ(link.Arguments, "/Uninstall");
  EXPECT_TRUE(link.Load(menu + "Readme.lnk", false));
  EXPECT_EQ(lstrcmpiA(link.ReferencePath.c_str(), (destination + "\\Readme.txt").c_str()), 0);
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Muralotrope");
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), exe + " /Uninstall");
  ASSERT_TRUE(WaitForAndEndInstalledProgram(exe));

  // Reinstall over it: package files are renewed, the options file stays.
  const std::string options = "[DirectoryList]\r\nCount=1\r\nTitle0=" + destination + "\r\nActive0=TRUE\r\n";
  WriteWholeFile(destination + "\\Muralotrope.ini", options);
  WriteWholeFile(destination + "\\Readme.txt", "stale");
  DeleteFileA(desktopLink.c_str());
  distribution.RunInstaller(base_, destination, true);
  EXPECT_EQ(ReadWholeFile(destination + "\\Muralotrope.ini"), options);
  EXPECT_EQ(ReadWholeFile(destination + "\\Readme.txt"), distribution.ReadFile("Readme.txt"));
  EXPECT_TRUE(Exists(exe));
  EXPECT_TRUE(Exists(desktopLink));
  ASSERT_TRUE(WaitForAndEndInstalledProgram(exe));

  // Uninstall: everything but the running executable goes, and the box says so.
  const std::string autorunLink = shell_.Path(CSIDL_STARTUP) + "Muralotrope.lnk";
  WriteWholeFile(autorunLink, "autorun");
  TUninstaller uninstaller(exe);
  ASSERT_TRUE(uninstaller.Started());
  HWND window = WaitForProcessWindow(uninstaller.Id(), "Uninstall Muralotrope");
  EXPECT_NE(window, nullptr);
  if (window && WaitUntilPrepared(window)) {
    EXPECT_EQ(ControlText(window, IDC_INSTALL_TO_EDIT), destination + "\\");
    EXPECT_EQ(ControlText(window, IDC_INSTALL_BUTTON), "Un&install");
    ClickInstallButton(window);
    AnswerBox(uninstaller.Id(), "Query", "Delete directory \"" + destination + "\\\" (and all contained files)?",
              IDYES);
    AnswerBox(uninstaller.Id(), "Message",
              "Uninstallation successful. Some files that were in use were not deleted.", IDOK);
  }
  EXPECT_TRUE(uninstaller.WaitForExit());
  for (const char* name : {"Readme.txt", "Help.html", "Muralotrope.ini"})
    EXPECT_FALSE(Exists(destination + "\\" + name)) << name;
  EXPECT_FALSE(Exists(desktopLink));
  EXPECT_FALSE(Exists(menu));
  EXPECT_FALSE(Exists(autorunLink));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
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
    EXPECT_FALSE(IsWindowEnabled(main));
    PostMessageA(okay, WM_KEYDOWN, key, 1);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about) && IsWindowEnabled(main); }, 10000)) << "key " << key;
  }
  EXPECT_TRUE(program.IsRunning());
}

}  // namespace

namespace {

TEST_F(InstallTest, AReinstallOverTheRunningProgramReportsTheFailedRenameAndStopsThere) {
  TDistribution distribution;
  const std::string destination = base_ + "\\" + distribution.FolderName();
  const std::string exe = destination + "\\Muralotrope.exe";
  const std::string desktopLink = shell_.Path(CSIDL_DESKTOPDIRECTORY) + "Muralotrope.lnk";
  distribution.RunInstaller(base_, destination, true);
  DWORD running = 0;
  ASSERT_TRUE(WaitUntil([&] { return (running = FindRunningProgram(exe)) != 0; }, kWindowWait));
  HANDLE installed = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, running);
  ASSERT_NE(installed, nullptr);

  // Again while the installed program runs: its file cannot be replaced, so
  // no shortcut, no uninstall entry and no start follow, and the user is told.
  DeleteFileA(desktopLink.c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
  ASSERT_TRUE(distribution.Start());
  HWND window = distribution.WaitForTopWindow("Install Muralotrope", kWindowWait);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntilPrepared(window));
  SendMessageA(TProgramUnderTest::FindControl(window, IDC_INSTALL_TO_EDIT), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(base_.c_str()));
  ClickInstallButton(window);
  AnswerBox(distribution.ProcessId(), "Query", "Install the program in directory \"" + destination + "\"?", IDYES);
  HWND error = WaitForProcessWindow(distribution.ProcessId(), "Error");
  ASSERT_NE(error, nullptr);
  const std::string report = ControlText(error, IDC_ERROR_MEMO);
  EXPECT_NE(report.find("Failed to install program. Check to see if you have rights to write in the installation "
                        "directory."),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("Failed to rename."), std::string::npos) << report;
  PostMessageA(error, WM_COMMAND, MAKEWPARAM(IDC_ERROR_OKAY, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(error, IDC_ERROR_OKAY)));
  EXPECT_EQ(distribution.WaitForExit(kWindowWait), 0);
  EXPECT_FALSE(Exists(desktopLink));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_EQ(WaitForSingleObject(installed, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the running copy was left alone";
  TerminateProcess(installed, 9);
  WaitForSingleObject(installed, 10000);
  CloseHandle(installed);
}

}  // namespace
