#include "app/dialogs/InstallForm.h"

#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/trace/FunStatus.h"
#include "core/control/InstallRules.h"
#include "core/catalogue/PathParts.h"
#include "platform/Elevation.h"
#include "platform/FileOperations.h"
#include "platform/FolderBrowser.h"
#include "platform/HandleHolders.h"
#include "platform/MessageBoxes.h"
#include "platform/Program.h"
#include "platform/ProgramArguments.h"
#include "platform/RemoveAfterExit.h"
#include "platform/RunFile.h"
#include "platform/ShellLink.h"
#include "platform/SpecialFolders.h"
#include "platform/UninstallRegistry.h"
#include "platform/WindowPlacement.h"
#include "platform/WriteAccess.h"
#include "resources/resource.h"

namespace {

const char* const kInstructions =
    "The program can be reinstalled without the need to uninstall its previous version. The existing options file "
    "will be preserved. If you want to repair the installed package, simply reinstall the program. Before "
    "continuing, close any running instances of the program.";

const char* const kInstallFailedMessage =
    "Failed to install program. Check to see if you have rights to write in the installation directory.";

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The edit control wants CR LF line ends.
std::string WithCrLf(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

}  // namespace

bool TInstallForm::Create() {
  if (!CreateModeless(IDD_INSTALL, nullptr)) return false;
  MainPanel.Bind(*this, IDC_INSTALL_MAIN_PANEL);
  DescriptionLabel.Bind(*this, IDC_INSTALL_DESCRIPTION);
  VersionLabel.Bind(*this, IDC_INSTALL_VERSION);
  InstructionsLabel.Bind(*this, IDC_INSTALL_INSTRUCTIONS);
  ReadmeMemo.Bind(*this, IDC_INSTALL_README);
  InstallToLabel.Bind(*this, IDC_INSTALL_TO_LABEL);
  InstallToEdit.Bind(*this, IDC_INSTALL_TO_EDIT);
  BrowseButton.Bind(*this, IDC_INSTALL_BROWSE);
  InstallButton.Bind(*this, IDC_INSTALL_BUTTON);
  CancelButton.Bind(*this, IDCANCEL);
  BrowseButton.OnClick = [this] { BrowseButtonClick(); };
  InstallButton.OnClick = [this] { InstallButtonClick(); };
  CancelButton.OnClick = [this] { CancelButtonClick(); };
  // The welcome line in a large, friendly face.
  // Its pixel height at 96 DPI, scaled with the display like the rest of the window.
  static HFONT panelFont = CreateFontA(-ScaleForDpi(handle_, 30), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                       CLEARTYPE_QUALITY, 0, "Comic Sans MS");
  SendMessageA(MainPanel.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(panelFont), FALSE);
  InstallToEdit.SetText(GetSystemDirectoryPath(CSIDL_PROGRAM_FILES));
  InstructionsLabel.SetText(kInstructions);
  ReadmeMemo.SetText(WithCrLf(ReadTextFile(TProgram::GetPathInProgramDirectory("Readme.txt"))));
  return true;
}

bool TInstallForm::IsUninstallMode() const { return SameTextAscii(TProgram::GetProgramArgument(1), "/Uninstall"); }

void TInstallForm::Prepare(const std::string& name, const std::string& description, const std::string& version) {
  ProgramName = name;
  DescriptionLabel.SetText(description);
  VersionLabel.SetText(version);
  if (SameTextAscii(TProgram::GetProgramFileName(), "Install.exe")) {
    SetWindowTextA(handle_, ("Install " + name).c_str());
    MainPanel.SetText("Welcome to " + name);
    InstallToLabel.SetText("The program's installation directory will be put in directory:");
    InstallButton.SetText("&Install");
  }
  if (IsUninstallMode()) {
    SetWindowTextA(handle_, ("Uninstall " + name).c_str());
    MainPanel.SetText("Bye from " + name);
    InstallToLabel.SetText("The following directory will be deleted:");
    InstallButton.SetText("Un&install");
    InstallToEdit.SetText(TProgram::GetProgramDirectory());
    BrowseButton.SetEnabled(false);
  }
  ShowWindow(handle_, SW_SHOW);
  ReadmeMemo.SetFocus();
  ElevatedRestart = ParseElevatedRestart(ProgramArguments());
  if (ElevatedRestart.IsRestart) {
    // The copy that asked for the rights has hidden its window; this one goes
    // on where the user left off.
    if (!IsUninstallMode()) InstallToEdit.SetText(ElevatedRestart.Folder);
    InstallButton.PostClick();
  }
}

void TInstallForm::BrowseButtonClick() {
  std::string folder;
  if (BrowseForDirectory(handle_, "", folder)) InstallToEdit.SetText(WithTrailingBackslash(folder));
}

void TInstallForm::InstallButtonClick() {
  if (!InstallButton.Enabled()) return;
  InstallButton.SetEnabled(false);
  if (!InstallToEdit.Text().empty()) {
    switch (RunElevatedWhenNeeded()) {
      case TElevationStep::Declined:
        // Nothing was changed: the user may choose another folder or cancel.
        InstallButton.SetEnabled(true);
        return;
      case TElevationStep::DoneElevated: break;
      case TElevationStep::NotNeeded:
        if (IsUninstallMode())
          Uninstall();
        else
          Install();
        break;
    }
  }
  Close();
}

TInstallForm::TElevationStep TInstallForm::RunElevatedWhenNeeded() {
  const bool uninstall = IsUninstallMode();
  const std::string folder = uninstall ? InstallToEdit.Text() : InstallDestination(InstallToEdit.Text(), ProgramName);
  const bool canWriteFolder = CanWriteInFolder(folder);
  if (!ShouldRestartElevated(canWriteFolder, CanWriteUninstallRegistry(ProgramName), ElevatedRestart.IsRestart))
    return TElevationStep::NotNeeded;
  DWORD exitCode = 1;
  const std::string parameters =
      ElevatedRestartParameters(ProgramArguments(), GetCurrentProcessId(), InstallToEdit.Text());
  switch (RunElevatedAndWait(handle_, parameters, exitCode)) {
    case TElevatedRun::Declined:
      // Without the rights only the uninstall entry is out of reach, and its
      // failure was never more than a convenience lost.
      if (canWriteFolder) return TElevationStep::NotNeeded;
      ShowWarning(uninstall ? "The program was not uninstalled: deleting \"" + folder +
                                  "\" needs administrator rights, and they were not given."
                            : "The program was not installed: writing in \"" + folder +
                                  "\" needs administrator rights, and they were not given. Choose another "
                                  "directory or install again and allow the change.");
      return TElevationStep::Declined;
    case TElevatedRun::NotStarted:
      // Go ahead with the rights at hand; what fails is reported as usual.
      return TElevationStep::NotNeeded;
    case TElevatedRun::Finished: break;
  }
  // The program starts with the user's own rights, not the installer's.
  if (!uninstall && exitCode == 0) StartInstalledProgram(WithTrailingBackslash(folder) + ProgramName + ".exe");
  WorkDone = exitCode == 0;
  return TElevationStep::DoneElevated;
}

void TInstallForm::StartInstalledProgram(const std::string& exe) {
  FUN_TRACE("TInstallForm::Install");
  FUN_GUARD({
    FUN_CALL(RunFile(handle_, exe, "", "", false, false));
  });
  FUN_SHOW(kInstallFailedMessage);
}

void TInstallForm::Install() {
  FUN_TRACE("TInstallForm::Install");
  FUN_GUARD({
    const std::string source = WithTrailingBackslash(TProgram::GetProgramDirectory());
    const std::string destination = InstallDestination(InstallToEdit.Text(), ProgramName);
    if (!ShowQuery("Install the program in directory \"" + destination + "\"?")) return;
    // The shortcuts' folders before anything is copied: without them the links
    // would land in the current directory.
    FUN_CALL_INTO(const std::string desktop, GetSystemDirectoryPath(CSIDL_DESKTOPDIRECTORY));
    FUN_CALL_INTO(const std::string programs, GetSystemDirectoryPath(CSIDL_PROGRAMS));
    const std::string folder = WithTrailingBackslash(destination);
    const std::string exe = folder + ProgramName + ".exe";
    const std::string command = exe + " " + "/Uninstall";
    const std::string readme = folder + "Readme.txt";
    const std::string runningMessage =
        "The program is running from \"" + exe + "\" and cannot be replaced. Close it and install again.";
    if (IsFileInUse(exe)) {
      // Said before anything is copied, so a refused reinstall changes nothing.
      ShowError(runningMessage);
      return;
    }
    // Only the package: whatever else lies beside the installer is the user's.
    CopyPackageFiles(source, destination, PackageEntries());
    if (!MyRenameFile(folder + "Install.exe", exe, true)) {
      // No second installer stays behind in the program's folder.
      if (!SameTextAscii(folder, source)) DeleteFileA((folder + "Install.exe").c_str());
      if (IsFileInUse(exe)) return FUN_RAISE(runningMessage, exe);
      trace_.CalleeFailed();
      return;
    }
    // Shortcuts and the uninstall entry are conveniences: their failures neither stop nor show.
    CopyFileAsLink(exe, desktop + ProgramName + ".lnk", true, false, true, "");
    const std::string menu = programs + ProgramName + "\\";
    CreateDirectoryA(menu.c_str(), nullptr);
    CopyFileAsLink(exe, menu + ProgramName + ".lnk", true, false, true, "");
    CopyFileAsLinkWithParam(exe, menu + "Uninstall" + LinkExtension(exe), "/Uninstall", true);
    CopyFileAsLink(readme, menu + "Readme" + LinkExtension(readme), true, false, true, "");
    SetUninstallRegistry(ProgramName, ProgramName, command);
    WorkDone = true;
    // A copy restarted with administrator rights leaves the start to the copy that started it.
    if (ElevatedRestart.IsRestart) return;
    FUN_CALL(RunFile(handle_, exe, "", "", false, false));
  });
  FUN_SHOW(kInstallFailedMessage);
}

void TInstallForm::Uninstall() {
  FUN_TRACE("TInstallForm::Uninstall");
  FUN_GUARD({
    const std::string directory = InstallToEdit.Text();
    if (IsUserOrSystemFolder(directory)) {
      // The edit field only ever holds the program's own folder, but a copy
      // started from a shared folder must not take the folder's owner's files with it.
      ShowError("The directory \"" + directory +
                "\" is not a program folder and will not be deleted. Delete the program's files by hand.");
      return;
    }
    if (!ShowQuery("Delete directory \"" + directory + "\" (and all contained files)?")) return;
    // The shortcuts' folders before anything is deleted: without them the names
    // would be taken from the current directory.
    FUN_CALL_INTO(const std::string desktop, GetSystemDirectoryPath(CSIDL_DESKTOPDIRECTORY));
    FUN_CALL_INTO(const std::string programs, GetSystemDirectoryPath(CSIDL_PROGRAMS));
    FUN_CALL_INTO(const std::string startup, GetSystemDirectoryPath(CSIDL_STARTUP));
    // Exactly what the install put there and what the program wrote beside
    // itself; the folder goes when nothing else is left in it.
    std::vector<std::string> entries = InstalledEntries(ProgramName);
    for (const std::string& entry : ProgramDataEntries(ProgramName))
      if (std::find(entries.begin(), entries.end(), entry) == entries.end()) entries.push_back(entry);
    DeleteNamedEntries(directory, entries);
    DeleteFileA((desktop + ProgramName + ".lnk").c_str());
    const std::string exe = WithTrailingBackslash(directory) + ProgramName + ".exe";
    const std::string readme = WithTrailingBackslash(directory) + "Readme.txt";
    DeleteNamedEntries(programs + ProgramName,
                       {ProgramName + ".lnk", "Uninstall" + LinkExtension(exe), "Readme" + LinkExtension(readme)});
    const std::string startupLink = startup + TProgram::GetProgramFileName();
    DeleteFileA((startupLink.substr(0, startupLink.size() - ExtensionPart(startupLink).size()) + ".lnk").c_str());
    DeleteUninstallerRegistry(ProgramName);
    // The running program's own file goes once this process, and the one that
    // restarted it with administrator rights, have ended.
    if (IsSameOrInsideDirectory(TProgram::GetProgramDirectory(), directory)) {
      const THandleHolder parent(OpenProcessForWaiting(ElevatedRestart.ParentProcessId));
      StartRemovalAfterExit(TProgram::GetProgramPath(),
                            parent.Valid() ? std::vector<HANDLE>{parent.Get()} : std::vector<HANDLE>{});
    }
    WorkDone = true;
    // The deletions' failures are not shown.
    DropCalleeFailure();
    ShowMessage("Uninstallation successful. Some files that were in use were not deleted.");
  });
  FUN_SHOW("Failed to uninstall program.");
}

void TInstallForm::CancelButtonClick() { Close(); }

void TInstallForm::Close() {
  DestroyWindow(handle_);
  handle_ = nullptr;
  PostQuitMessage(ExitCode());
}

bool TInstallForm::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
  if (message != WM_CLOSE) return false;
  Close();
  result = TRUE;
  return true;
}
