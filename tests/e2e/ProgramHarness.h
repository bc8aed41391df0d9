// Starts the real program in a fresh program folder inside the Wine desktop
// and finds its windows; every wait polls a condition up to a deadline.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TProgramUnderTest {
 public:
  // Copies the built executable into a new temporary folder under the given name.
  explicit TProgramUnderTest(const std::string& exeName = "Muralotrope.exe");
  ~TProgramUnderTest();
  TProgramUnderTest(const TProgramUnderTest&) = delete;
  TProgramUnderTest& operator=(const TProgramUnderTest&) = delete;

  const std::string& Folder() const { return folder_; }
  std::string PathInFolder(const std::string& name) const { return folder_ + "\\" + name; }
  void WriteFile(const std::string& name, const std::string& bytes) const;
  std::string ReadFile(const std::string& name) const;
  bool FileExists(const std::string& name) const;

  // Starts the program; a program that has ended may be started again in the same folder.
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
  // The main window: caption "Muralotrope" and its page control made.
  HWND FindMainWindow() const;
  HWND WaitForMainWindow(DWORD milliseconds) const;
  // The process's visible top-level windows other than the one given.
  std::vector<HWND> OtherVisibleWindows(HWND except) const;
  // A visible window of the process showing the text in one of its static
  // controls: a message box with that message.
  HWND FindMessageBox(const std::string& text) const;
  HWND WaitForMessageBox(const std::string& text, DWORD milliseconds) const;
  // A control anywhere below a window.
  static HWND FindControl(HWND window, int id);

  // Called before a run's folder is removed, so that what a failed test left
  // can be kept; set once by the test executable (a plain pointer, so that it
  // is ready before any static initialiser sets it).
  static void (*BeforeDiscard)(const TProgramUnderTest& program);

 private:
  void CloseHandles();
  std::string folder_;
  std::string exe_;
  PROCESS_INFORMATION process_ = {};
};

// Polls a condition every 50 ms until it holds or the time runs out.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);
// Polls a condition every 50 ms for the whole period; false at the first poll
// that finds it broken.
bool HoldsThroughout(const std::function<bool()>& condition, DWORD milliseconds);

// The folder holding the test executable and the built program.
std::string BuildFolder();
// A new folder in the temporary folder, named <prefix><this process's id>_<n>.
// Under Wine process ids come round again with every run: a folder an earlier
// run left behind is never reused.
std::string NewTemporaryFolder(const std::string& prefix);

// Ends every process of this system (for Wine: of this prefix) that runs one of
// the program's files (Muralotrope.exe, Install.exe, the removal helper) and
// waits until each has gone; the paths of those it ended. One left running
// would hold the single-instance mutex, and every later start would exit as a
// second instance.
std::vector<std::string> EndLeftoverPrograms();

// ---- What the program leaves behind ----

// The user's temporary folder in long form, with a trailing backslash.
std::string TempFolder();
// "Muralotrope_Wallpaper.bmp" in the temporary folder.
std::string WallpaperBmpPath();
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
// The last write time of a file, 0 when it does not exist. Read from the
// directory entry: the desktop may hold the wallpaper open while it paints it.
unsigned long long FileWriteTime(const std::string& path);

// A BMP file's pixels as 0x00RRGGBB, top row first; empty when it is not a
// whole 24- or 32-bit BMP.
struct TBmpPixels {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;
  bool Empty() const { return Pixels.empty(); }
  uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};
TBmpPixels ReadBmpPixels(const std::string& path);
// The centre pixel of the wallpaper BMP, 0xFFFFFFFF while there is no whole BMP.
uint32_t WallpaperCentre();
// A uniform 24-bit BMP picture, written by hand.
void WriteUniformBmp(const std::string& path, int width, int height, uint32_t rgb);

// ---- Driving controls of another process ----

// The text as the window itself answers WM_GETTEXT (a combo box: its selected item).
std::string TextOf(HWND window);
std::string ControlText(HWND window, int id);
bool IsChecked(HWND window, int id);
// What a click on a link label sends to its page (posted); false when the link is missing.
bool ClickLink(HWND window, int id);
// The same click sent: the handler has run when it returns. Only for commands
// that open no window.
bool SendLinkClick(HWND window, int id);
// Selects a drop-down item by its text as the user would (sent); false when missing.
bool SelectComboText(HWND window, int id, const std::string& text);
// Selects the drop-down item at an index (wrapped into the list) as the user would.
bool SelectComboIndex(HWND window, int id, int index);
// The index of the selected item, or -1.
int ComboSelection(HWND window, int id);
// A button or check box clicked as the user would (sent); false when missing.
bool ClickButton(HWND window, int id);
// Whether this process can take a hotkey combination, that is, no program holds it.
bool IsHotkeyFree(UINT modifiers, char letter);

// The text on the clipboard, "(none)" without any; and emptying it.
std::string ClipboardText();
void EmptyTheClipboard();

// Start-up runs before the message loop, and while it waits on another
// process (the notification area) it handles messages sent to it, ignoring
// commands while it still sets its controls. A posted click reaches only a
// message loop: once "Clip picture file title" has copied the current picture,
// start-up is over. For a program started with a current picture.
bool WaitForStartupEnd(HWND mainWindow, const std::string& currentPicture, DWORD milliseconds);

// Counts the wallpapers installed while it lives: setting the wallpaper
// broadcasts WM_SETTINGCHANGE with SPI_SETDESKWALLPAPER to every top-level
// window, this one's hidden window included. A message sent to the program
// returns only after its broadcasts have been counted.
class TWallpaperInstallCounter {
 public:
  TWallpaperInstallCounter();
  ~TWallpaperInstallCounter();
  TWallpaperInstallCounter(const TWallpaperInstallCounter&) = delete;
  TWallpaperInstallCounter& operator=(const TWallpaperInstallCounter&) = delete;
  int Count() const { return count_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  int count_ = 0;
};

// ---- Keeping what a failed test leaves ----

// The desktop as the user sees it, saved as PNG after asking every window to repaint.
bool SaveDesktopScreenshot(const std::string& pngPath);
// The folder a failed test's evidence goes into: <build>\e2e-failures\<name>.
std::string FailureFolder(const std::string& testName);
// Copies a folder with everything in it into a new folder.
bool CopyFolder(const std::string& from, const std::string& to);

// ---- A run with pictures ----

// What the loaded-pictures label reads for a count (no thousands separator needed).
std::string LoadedPicturesCountText(int count);

// Starts the program shown on the options file as it is, and waits for its main window
// and until it has loaded `count` pictures. Null when either does not come, with a line
// on the error output that says which.
HWND StartShownWithPictures(TProgramUnderTest& program, int count);

// Writes uniform pictures of the given colours into <program folder>\Pictures as
// a.bmp, b.bmp, ... (width x height each); the folder, with a trailing backslash.
std::string WriteUniformPictures(const TProgramUnderTest& program, const std::vector<uint32_t>& colors, int width = 40,
                                 int height = 30);
// An options file: the given sections, then one active, non-recursive picture directory.
std::string OptionsFileText(const std::string& sections, const std::string& pictureDirectory);
// Sections that keep a run quiet: no automatic change or broadcast, the calendar
// only when asked for, closing hides, and the given picture current; mainKeys
// ("Key=Value\r\n" lines) go into the "Main" section.
std::string QuietSections(const std::string& currentPicture, bool showCalendar = false,
                          const std::string& mainKeys = "");
