#include "ProgramHarness.h"

#include <gdiplus.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/GdiPlusEncoders.h"
#include "platform/GdiPlusSession.h"
#include "platform/WinText.h"
#include "resources/resource.h"

void (*TProgramUnderTest::BeforeDiscard)(const TProgramUnderTest&) = nullptr;

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

bool HoldsThroughout(const std::function<bool()>& condition, DWORD milliseconds) {
  bool broken = false;
  const ULONGLONG end = GetTickCount64() + milliseconds;
  WaitUntil([&] { return (broken = !condition()) || GetTickCount64() >= end; }, milliseconds + 1000);
  return !broken;
}

std::string NewTemporaryFolder(const std::string& prefix) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  std::string folder;
  do {
    folder = std::string(temp) + prefix + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
  } while (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
  return folder;
}

namespace {

bool IsProgramImage(const char* name) {
  const size_t length = std::strlen(name);
  return _stricmp(name, "Install.exe") == 0 ||
         (_strnicmp(name, "Muralotrope", 11) == 0 && length >= 15 && _stricmp(name + length - 4, ".exe") == 0);
}

std::string ImagePath(HANDLE process, const char* name) {
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  return QueryFullProcessImageNameA(process, 0, path, &size) ? path : name;
}

}  // namespace

std::vector<std::string> EndLeftoverPrograms() {
  std::vector<std::string> ended;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ended;
  std::vector<HANDLE> ending;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == GetCurrentProcessId() || !IsProgramImage(entry.szExeFile)) continue;
    HANDLE process =
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
    if (!process) continue;
    ended.push_back(ImagePath(process, entry.szExeFile));
    TerminateProcess(process, 9);
    ending.push_back(process);
  }
  CloseHandle(snapshot);
  for (HANDLE process : ending) {
    WaitForSingleObject(process, 30000);
    CloseHandle(process);
  }
  return ended;
}

TProgramUnderTest::TProgramUnderTest(const std::string& exeName) {
  folder_ = NewTemporaryFolder("mt_");
  exe_ = PathInFolder(exeName);
  CopyFileA((BuildFolder() + "\\Muralotrope.exe").c_str(), exe_.c_str(), FALSE);
}

TProgramUnderTest::~TProgramUnderTest() {
  // Still running, so that a screenshot shows the program as the test left it.
  if (BeforeDiscard) BeforeDiscard(*this);
  Kill();
  CloseHandles();
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

void TProgramUnderTest::CloseHandles() {
  if (process_.hProcess) CloseHandle(process_.hProcess);
  if (process_.hThread) CloseHandle(process_.hThread);
  process_ = {};
}

bool TProgramUnderTest::Start(const std::string& arguments) {
  Kill();
  CloseHandles();
  std::string commandLine = "\"" + exe_ + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  // On a loaded machine Wine now and then refuses a start for a moment; the
  // refusal is shown, and the start tried again.
  return WaitUntil(
      [&] {
        if (CreateProcessA(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                           &startup, &process_))
          return true;
        std::fprintf(stderr, "Starting \"%s\" failed with error %lu.\n", exe_.c_str(), GetLastError());
        return false;
      },
      10000);
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
    // Until it is gone, its single-instance mutex turns the next start away.
    WaitForSingleObject(process_.hProcess, 30000);
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

HWND TProgramUnderTest::FindMainWindow() const {
  HWND window = FindTopWindow("Muralotrope", "#32770");
  return window && FindControl(window, IDC_MAIN_PAGE_CONTROL) ? window : nullptr;
}

HWND TProgramUnderTest::WaitForMainWindow(DWORD milliseconds) const {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindMainWindow()) != nullptr; }, milliseconds);
  return window;
}

std::vector<HWND> TProgramUnderTest::OtherVisibleWindows(HWND except) const {
  struct TSearch {
    DWORD processId;
    HWND except;
    std::vector<HWND> found;
  } search{process_.dwProcessId, except, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && window != s->except && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND TProgramUnderTest::FindMessageBox(const std::string& text) const {
  for (HWND window : OtherVisibleWindows(nullptr))
    for (HWND label = FindWindowExA(window, nullptr, "Static", nullptr); label;
         label = FindWindowExA(window, label, "Static", nullptr))
      if (TextOf(label) == text) return window;
  return nullptr;
}

HWND TProgramUnderTest::WaitForMessageBox(const std::string& text, DWORD milliseconds) const {
  HWND box = nullptr;
  WaitUntil([&] { return (box = FindMessageBox(text)) != nullptr; }, milliseconds);
  return box;
}

// ---- What the program leaves behind ----

std::string TempFolder() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  char longFolder[MAX_PATH] = {};
  const DWORD size = GetLongPathNameA(folder, longFolder, MAX_PATH);
  std::string path = size > 0 && size < MAX_PATH ? longFolder : folder;
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
}

std::string WallpaperBmpPath() { return TempFolder() + "Muralotrope_Wallpaper.bmp"; }

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

unsigned long long FileWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 |
         data.ftLastWriteTime.dwLowDateTime;
}

TBmpPixels ReadBmpPixels(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  TBmpPixels bmp;
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return bmp;
  uint32_t offset = 0;
  int32_t width = 0, height = 0;
  uint16_t bitCount = 0;
  std::memcpy(&offset, bytes.data() + 10, 4);
  std::memcpy(&width, bytes.data() + 18, 4);
  std::memcpy(&height, bytes.data() + 22, 4);
  std::memcpy(&bitCount, bytes.data() + 28, 2);
  const bool bottomUp = height > 0;
  height = bottomUp ? height : -height;
  if (width <= 0 || height <= 0 || (bitCount != 24 && bitCount != 32)) return bmp;
  const size_t bytesPerPixel = bitCount / 8;
  const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
  if (offset + stride * height > bytes.size()) return bmp;
  bmp.Width = width;
  bmp.Height = height;
  bmp.Pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const char* row = bytes.data() + offset + stride * (bottomUp ? height - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      const auto* p = reinterpret_cast<const uint8_t*>(row + x * bytesPerPixel);
      bmp.Pixels[static_cast<size_t>(y) * width + x] = static_cast<uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
    }
  }
  return bmp;
}

uint32_t WallpaperCentre() {
  const TBmpPixels bmp = ReadBmpPixels(WallpaperBmpPath());
  return bmp.Empty() ? 0xFFFFFFFF : bmp.At(bmp.Width / 2, bmp.Height / 2);
}

void WriteUniformBmp(const std::string& path, int width, int height, uint32_t rgb) {
  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  std::string bytes(54 + stride * height, '\0');
  auto put32 = [&](size_t at, uint32_t value) { std::memcpy(&bytes[at], &value, 4); };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<uint32_t>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const size_t at = 54 + stride * y + x * 3;
      bytes[at] = static_cast<char>(rgb & 0xFF);
      bytes[at + 1] = static_cast<char>((rgb >> 8) & 0xFF);
      bytes[at + 2] = static_cast<char>((rgb >> 16) & 0xFF);
    }
  WriteWholeFile(path, bytes);
}

// ---- Driving controls of another process ----

namespace {

// A message sent to the program, given up after a minute so that a program
// that hangs (or crashed and waits in the debugger) fails the test instead of
// stopping the suite. False when no answer came.
bool SendToProgram(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer = nullptr) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 60000, &result)) return false;
  if (answer) *answer = static_cast<LRESULT>(result);
  return true;
}

}  // namespace

std::string TextOf(HWND window) {
  char text[1024] = {};
  if (window && !SendToProgram(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text))) text[0] = '\0';
  return text;
}

std::string ControlText(HWND window, int id) { return TextOf(TProgramUnderTest::FindControl(window, id)); }

bool IsChecked(HWND window, int id) {
  HWND control = TProgramUnderTest::FindControl(window, id);
  LRESULT state = BST_UNCHECKED;
  return control && SendToProgram(control, BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

bool ClickLink(HWND window, int id) {
  HWND link = TProgramUnderTest::FindControl(window, id);
  if (!link) return false;
  PostMessageA(GetParent(link), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(link));
  return true;
}

bool SendLinkClick(HWND window, int id) {
  HWND link = TProgramUnderTest::FindControl(window, id);
  return link &&
         SendToProgram(GetParent(link), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(link));
}

bool SelectComboText(HWND window, int id, const std::string& text) {
  HWND box = TProgramUnderTest::FindControl(window, id);
  if (!box) return false;
  const LRESULT index =
      SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  return index != CB_ERR && SelectComboIndex(window, id, static_cast<int>(index));
}

bool SelectComboIndex(HWND window, int id, int index) {
  HWND box = TProgramUnderTest::FindControl(window, id);
  if (!box) return false;
  const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
  if (count <= 0) return false;
  SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index % count), 0);
  return SendToProgram(GetParent(box), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

int ComboSelection(HWND window, int id) {
  HWND box = TProgramUnderTest::FindControl(window, id);
  LRESULT index = -1;
  return box && SendToProgram(box, CB_GETCURSEL, 0, 0, &index) ? static_cast<int>(index) : -1;
}

bool ClickButton(HWND window, int id) {
  HWND button = TProgramUnderTest::FindControl(window, id);
  return button && SendToProgram(button, BM_CLICK, 0, 0);
}

bool IsHotkeyFree(UINT modifiers, char letter) {
  if (!RegisterHotKey(nullptr, 0x3000, modifiers, static_cast<UINT>(letter))) return false;
  UnregisterHotKey(nullptr, 0x3000);
  return true;
}

std::string ClipboardText() {
  std::string text = "(none)";
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* locked = static_cast<const char*>(GlobalLock(data))) text = locked;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void EmptyTheClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

bool WaitForStartupEnd(HWND mainWindow, const std::string& currentPicture, DWORD milliseconds) {
  EmptyTheClipboard();
  const DWORD emptied = GetClipboardSequenceNumber();
  // The window's pages are filled in a moment after it appears. The clipboard
  // is opened only once the program has written it: while this process holds
  // it open, the program's copy would fail.
  return WaitUntil([&] { return TProgramUnderTest::FindControl(mainWindow, IDC_CLIP_PICTURE_TITLE_LABEL); },
                   milliseconds) &&
         ClickLink(mainWindow, IDC_CLIP_PICTURE_TITLE_LABEL) &&
         WaitUntil([&] { return GetClipboardSequenceNumber() != emptied && ClipboardText() == currentPicture; },
                   milliseconds);
}

TWallpaperInstallCounter::TWallpaperInstallCounter() {
  static const char* const kClass = "WallpaperInstallCounter";
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClass;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  window_ = CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TWallpaperInstallCounter::~TWallpaperInstallCounter() {
  if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK TWallpaperInstallCounter::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTINGCHANGE && wParam == SPI_SETDESKWALLPAPER)
    if (auto* counter = reinterpret_cast<TWallpaperInstallCounter*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
      ++counter->count_;
  return DefWindowProcA(window, message, wParam, lParam);
}

// ---- Keeping what a failed test leaves ----

namespace {

// Under Wine a new wallpaper is painted over every window of the virtual
// desktop; invalidating each window makes it paint itself again.
void RepaintAllWindows() {
  EnumWindows(
      [](HWND window, LPARAM) -> BOOL {
        if (IsWindowVisible(window))
          RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return TRUE;
      },
      0);
  // Give the other processes a moment to paint; nothing is decided by this wait.
  const ULONGLONG until = GetTickCount64() + 500;
  WaitUntil([&] { return GetTickCount64() >= until; }, 1000);
}

}  // namespace

bool SaveDesktopScreenshot(const std::string& pngPath) {
  ProcessGdiPlusSession();
  RepaintAllWindows();
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const bool copied = BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY | CAPTUREBLT) != FALSE;
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  bool saved = false;
  CLSID encoder;
  Gdiplus::GpBitmap* image = nullptr;
  if (copied && FindImageEncoder(L"image/png", encoder) &&
      Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) == Gdiplus::Ok) {
    saved = Gdiplus::DllExports::GdipSaveImageToFile(image, AnsiToWide(pngPath).c_str(), &encoder, nullptr) ==
            Gdiplus::Ok;
    Gdiplus::DllExports::GdipDisposeImage(image);
  }
  DeleteObject(bitmap);
  return saved;
}

std::string FailureFolder(const std::string& testName) {
  const std::string root = BuildFolder() + "\\e2e-failures";
  CreateDirectoryA(root.c_str(), nullptr);
  const std::string folder = root + "\\" + testName;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool CopyFolder(const std::string& from, const std::string& to) {
  const std::string source = from + std::string(1, '\0');
  const std::string target = to + std::string(1, '\0');
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_COPY;
  operation.pFrom = source.c_str();
  operation.pTo = target.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_NOCONFIRMMKDIR;
  return SHFileOperationA(&operation) == 0;
}

// ---- A run with pictures ----

std::string LoadedPicturesCountText(int count) {
  return "There are " + std::to_string(count) + " pictures ready to be used as wallpapers";
}

HWND StartShownWithPictures(TProgramUnderTest& program, int count) {
  constexpr DWORD kStartMs = 30000;
  if (!program.Start("ShowOnStart")) {
    std::fprintf(stderr, "the program did not start\n");
    return nullptr;
  }
  HWND window = program.WaitForMainWindow(kStartMs);
  if (!window) {
    std::fprintf(stderr, "no main window\n");
    return nullptr;
  }
  const std::string expected = LoadedPicturesCountText(count);
  if (!WaitUntil([&] { return ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL) == expected; }, kStartMs)) {
    std::fprintf(stderr, "the pictures were not loaded: %s\n",
                 ControlText(window, IDC_LOADED_PICTURES_COUNT_LABEL).c_str());
    return nullptr;
  }
  return window;
}

std::string WriteUniformPictures(const TProgramUnderTest& program, const std::vector<uint32_t>& colors, int width,
                                 int height) {
  const std::string folder = program.PathInFolder("Pictures") + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  for (size_t i = 0; i < colors.size(); ++i)
    WriteUniformBmp(folder + static_cast<char>('a' + i) + ".bmp", width, height, colors[i]);
  return folder;
}

std::string OptionsFileText(const std::string& sections, const std::string& pictureDirectory) {
  return sections + "[DirectoryList]\r\nCount=1\r\nTitle0=" + pictureDirectory +
         "\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n";
}

std::string QuietSections(const std::string& currentPicture, bool showCalendar, const std::string& mainKeys) {
  // Automatic changes and broadcasts are off, so no tick changes the picture.
  return "[Main]\r\nAutorun=FALSE\r\nHideOnClose=TRUE\r\n" + mainKeys +
         "[Wallpaper]\r\nIsAutoChange=FALSE\r\nIsRandomWallpaper=FALSE\r\nLastAutoChangeTime=2958000\r\n"
         "LastFileTitle=" + currentPicture + "\r\n[Calendar]\r\nShow=" + (showCalendar ? "TRUE" : "FALSE") +
         "\r\n[BroadcastWallpaperChange]\r\nIsAutoChange=FALSE\r\n";
}
