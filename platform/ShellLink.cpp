#include "platform/ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "core/trace/FunStatus.h"
#include "core/catalogue/LinkRules.h"
#include "core/catalogue/PathParts.h"
#include "platform/HandleHolders.h"
#include "platform/UserLocale.h"
#include "platform/WinText.h"

namespace {

// Releases a COM interface when it leaves scope.
template <class T>
struct TComPtr {
  T* p = nullptr;
  ~TComPtr() { if (p) p->Release(); }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

std::string WithoutTrailingSeparator(std::string text) {
  while (text.size() > 3 && text.back() == '\\') text.pop_back();
  return text;
}

double FileTimeToLocalDays(const FILETIME& time) {
  FILETIME local;
  FileTimeToLocalFileTime(&time, &local);
  const ULONGLONG ticks = (static_cast<ULONGLONG>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
  // FILETIME counts 100 ns from 1601-01-01; date-times count days from 1899-12-30.
  return static_cast<double>(ticks) / 864000000000.0 - 109205.0;
}

// A shell link file starts with a 0x4C-byte header whose show command sits at 0x3C.
bool ReadShowCommandFromHeader(const std::string& linkPath, int& showCommand) {
  const THandleHolder file(CreateFileA(linkPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                       nullptr));
  if (!file.Valid()) return false;
  unsigned char header[0x4C] = {};
  DWORD read = 0;
  const bool ok =
      ReadFile(file.Get(), header, sizeof header, &read, nullptr) && read == sizeof header && header[0] == 0x4C;
  if (!ok) return false;
  showCommand = header[0x3C] | (header[0x3D] << 8) | (header[0x3E] << 16) | (header[0x3F] << 24);
  return true;
}

}  // namespace

void TLinkFile::Reset() { *this = TLinkFile(); }

std::string FullLinkPath(const std::string& path) {
  if (path.empty()) return path;
  std::string source = IsBareDrive(path) ? path + "\\" : path;
  // Wide buffers: MAX_PATH characters of another script overflow MAX_PATH bytes.
  wchar_t full[MAX_PATH] = {};
  if (!GetFullPathNameW(AnsiToWide(source).c_str(), MAX_PATH, full, nullptr)) return path;
  std::string result = WideBufferToAnsi(full);
  if (result.find('~') != std::string::npos) {
    wchar_t longPath[MAX_PATH] = {};
    if (GetLongPathNameW(full, longPath, MAX_PATH)) result = WideBufferToAnsi(longPath);
  }
  return IsBareDrive(path) ? WithoutTrailingSeparator(result).substr(0, 2) + "\\" : result;
}

bool TLinkFile::Load(const std::string& linkPath, bool resolve) {
  FUN_TRACE("TLinkFile::Load");
  FUN_GUARD({
    Reset();
    auto fail = [&](const char* message, uint32_t code) { FUN_RAISE(message, linkPath, "", code); };
    if (!IsLinkFile(linkPath)) return fail("File is not a link.", 0);
    TComPtr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(&link));
    if (IsComFailure(result)) return fail("Failed to initialize instance.", static_cast<uint32_t>(result));
    TComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (IsComFailure(result)) return fail("Failed to query interface.", static_cast<uint32_t>(result));
    SetLastError(0);
    const std::wstring widePath = AnsiToWide(linkPath);
    if (widePath.empty() || widePath.size() >= MAX_PATH) return fail("Failed to convert to Unicode.", GetLastError());
    result = file->Load(widePath.c_str(), STGM_READ);
    if (IsComFailure(result)) return fail("Failed to load link file.", static_cast<uint32_t>(result));
    if (resolve) {
      result = link->Resolve(GetActiveWindow(), 6);
      if (IsComFailure(result)) return fail("Failed to resolve link file.", static_cast<uint32_t>(result));
    }
    wchar_t text[MAX_PATH] = {};
    WIN32_FIND_DATAW info = {};
    result = link->GetPath(text, MAX_PATH, &info, 0);
    if (IsComFailure(result)) return fail("Failed to get reference path.", static_cast<uint32_t>(result));
    const std::string reference = WideBufferToAnsi(text);
    Attributes = info.dwFileAttributes;
    CreationTime = FileTimeToLocalDays(info.ftCreationTime);
    LastAccessTime = FileTimeToLocalDays(info.ftLastAccessTime);
    LastWriteTime = FileTimeToLocalDays(info.ftLastWriteTime);
    Size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    IsInfoLoaded = true;
    wchar_t working[MAX_PATH] = {}, arguments[MAX_PATH] = {}, description[MAX_PATH] = {}, icon[MAX_PATH] = {};
    if (IsComFailure(result = link->GetWorkingDirectory(working, MAX_PATH)))
      return fail("Failed to get working path.", static_cast<uint32_t>(result));
    if (IsComFailure(result = link->GetArguments(arguments, MAX_PATH)))
      return fail("Failed to get arguments.", static_cast<uint32_t>(result));
    if (IsComFailure(result = link->GetDescription(description, MAX_PATH)))
      return fail("Failed to get description.", static_cast<uint32_t>(result));
    if (IsComFailure(result = link->GetIconLocation(icon, MAX_PATH, &IconIndex)))
      return fail("Failed to get icon path.", static_cast<uint32_t>(result));
    ReferencePath = WithoutTrailingSeparator(FullLinkPath(reference));
    if (ReferencePath.empty()) return fail("Empty reference path.", 0);
    WorkingPath = WithoutTrailingSeparator(FullLinkPath(WideBufferToAnsi(working)));
    Arguments = WithoutTrailingSeparator(WideBufferToAnsi(arguments));
    Description = WithoutTrailingSeparator(WideBufferToAnsi(description));
    IconPath = WithoutTrailingSeparator(FullLinkPath(WideBufferToAnsi(icon)));
    WORD hotKey = 0;
    if (IsComFailure(result = link->GetHotkey(&hotKey))) return fail("Failed to get hot key.", static_cast<uint32_t>(result));
    HotKey = hotKey;
    if (IsComFailure(result = link->GetShowCmd(&ShowCommand)))
      return fail("Failed to get show command.", static_cast<uint32_t>(result));
    // Some shell implementations report the default state after a load; the
    // file's own header holds the value that was saved.
    int stored = 0;
    if (ReadShowCommandFromHeader(linkPath, stored)) ShowCommand = stored;
    if (SameNameIgnoringCase(ReferencePath, linkPath))
      return fail("This file is most probably a virus because it links to itself.", 0);
  });
  return !trace_.Failed();
}

bool TLinkFile::Save(const std::string& linkPath, bool replace) {
  FUN_TRACE("TLinkFile::Save");
  FUN_GUARD({
    auto fail = [&](const char* message, uint32_t code) { FUN_RAISE(message, linkPath, "", code); };
    ReferencePath = FullLinkPath(ReferencePath);
    if (IsLinkFile(ReferencePath)) return fail("This operating system does not support chained links.", 0);
    if (!replace && GetFileAttributesA(linkPath.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    TComPtr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(&link));
    if (IsComFailure(result)) return fail("Failed to initialize instance.", static_cast<uint32_t>(result));
    if (IsComFailure(result = link->SetPath(AnsiToWide(ReferencePath).c_str())))
      return fail("Failed to set reference path.", static_cast<uint32_t>(result));
    if (IsComFailure(result = link->SetWorkingDirectory(AnsiToWide(WorkingPath).c_str())))
      return fail("Failed to set working path.", static_cast<uint32_t>(result));
    if (IsComFailure(result = link->SetArguments(AnsiToWide(Arguments).c_str())))
      return fail("Failed to set arguments.", static_cast<uint32_t>(result));
    if (IsComFailure(result = link->SetDescription(AnsiToWide(Description).c_str())))
      return fail("Failed to set description.", static_cast<uint32_t>(result));
    if (IsComFailure(result = link->SetIconLocation(AnsiToWide(IconPath).c_str(), IconIndex)))
      return fail("Failed to set icon path.", static_cast<uint32_t>(result));
    if (IsComFailure(result = link->SetHotkey(HotKey))) return fail("Failed to set hot key.", static_cast<uint32_t>(result));
    if (IsComFailure(result = link->SetShowCmd(ShowCommand)))
      return fail("Failed to set show command.", static_cast<uint32_t>(result));
    TComPtr<IPersistFile> file;
    if (IsComFailure(result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
      return fail("Failed to query interface.", static_cast<uint32_t>(result));
    SetLastError(0);
    const std::wstring widePath = AnsiToWide(linkPath);
    if (widePath.empty()) return fail("Failed to convert to unicode.", GetLastError());
    if (IsComFailure(result = file->Save(widePath.c_str(), TRUE)))
      return fail("Failed to save link file.", static_cast<uint32_t>(result));
  });
  return !trace_.Failed();
}

bool CopyFileAsLink(const std::string& target, const std::string& linkPath, bool replace, bool minimized,
                    bool workingDirectory, const std::string& arguments) {
  FUN_TRACE("CopyFileAsLink");
  FUN_GUARD({
    TLinkFile link;
    link.ReferencePath = target;
    if (workingDirectory) link.WorkingPath = DirectoryPart(target);
    link.Arguments = arguments;
    if (minimized) link.ShowCommand = 7;
    FUN_CALL(link.Save(linkPath, replace));
  });
  return !trace_.Failed();
}

bool CopyFileAsLinkWithParam(const std::string& target, const std::string& linkPath, const std::string& arguments,
                             bool replace) {
  FUN_TRACE("CopyFileAsLinkWithParam");
  FUN_GUARD({
    TLinkFile link;
    link.ReferencePath = target;
    link.WorkingPath = DirectoryPart(target);
    link.Arguments = arguments;
    FUN_CALL(link.Save(linkPath, replace));
  });
  return !trace_.Failed();
}

bool MakeLinkByStatus(const std::string& folder, const std::string& target, const std::string& workingPath,
                      bool status, bool minimized, const std::string& arguments) {
  FUN_TRACE("MakeLinkByStatus");
  bool ok = true;
  FUN_GUARD({
    const std::string linkPath = LinkPathForTarget(folder, target);
    if (!status) {
      SetLastError(0);
      if (!DeleteFileA(linkPath.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        FUN_RAISE("Failed to delete link file.", linkPath, "", GetLastError());
      return;
    }
    TLinkFile link;
    if (GetFileAttributesA(linkPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
      FUN_CALL(link.Load(linkPath, false));
    }
    const TLinkFields existing{link.ReferencePath, link.WorkingPath, link.Arguments, link.ShowCommand};
    const TLinkFields wanted{target, workingPath, arguments, minimized ? 7 : 1};
    if (!LinkNeedsRewrite(existing, wanted, minimized)) return;
    link.ReferencePath = target;
    link.WorkingPath = workingPath;
    link.Arguments = arguments;
    link.ShowCommand = minimized ? 7 : 1;
    FUN_CALL(link.Save(linkPath, true));
  });
  ok = !trace_.Failed();
  FUN_SHOW("Failed to create link.");
  return ok;
}

std::string LinkExtension(const std::string& target) {
  SHFILEINFOA info = {};
  const DWORD_PTR type = SHGetFileInfoA(target.c_str(), 0, &info, sizeof info, SHGFI_EXETYPE);
  return LOWORD(type) == 0x5A4D && HIWORD(type) == 0 ? ".pif" : ".lnk";
}
