// Drops built as the shell hands them to a window: DROPFILES followed by the names,
// each ended by a zero, the list ended by another.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

// A drop of ANSI paths.
inline HDROP MakeDrop(const std::vector<std::string>& paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& path : paths) size += path.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  char* text = reinterpret_cast<char*>(header + 1);
  for (const std::string& path : paths) {
    std::memcpy(text, path.c_str(), path.size() + 1);
    text += path.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// A drop of UTF-8 paths handed over in UTF-16.
inline HDROP MakeWideDrop(const std::vector<std::string>& paths) {
  std::wstring names;
  for (const std::string& path : paths) {
    std::wstring name(path.size(), L'\0');
    name.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()),
                                                        name.data(), static_cast<int>(name.size()))));
    names += name + L'\0';
  }
  names += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}
