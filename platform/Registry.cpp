#include "platform/Registry.h"

#include <vector>

#include "core/trace/FunStatus.h"
#include "platform/HandleHolders.h"
#include "platform/WinText.h"

bool SetRegistryText(HKEY root, const std::string& key, const std::string& valueName,
                     const std::string& text) {
  FUN_TRACE("SetRegistryText");
  bool written = false;
  FUN_GUARD({
    // Wide, so that the value is stored as UTF-16 and a reader in any code
    // page gets the text right.
    const std::wstring wideText = AnsiToWide(text);
    HKEY handle = nullptr;
    if (RegCreateKeyExW(root, AnsiToWide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
      return;
    const TRegistryKeyHolder keyHolder(handle);
    written = RegSetValueExW(handle, AnsiToWide(valueName).c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(wideText.c_str()),
                             static_cast<DWORD>((wideText.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  });
  return written;
}

std::string GetRegistryText(HKEY root, const std::string& key, const std::string& valueName) {
  FUN_TRACE("GetRegistryText");
  std::string text;
  FUN_GUARD({
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, AnsiToWide(key).c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return;
    const TRegistryKeyHolder keyHolder(handle);
    const std::wstring name = AnsiToWide(valueName);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
      std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
      if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
          ERROR_SUCCESS)
        text = WideBufferToAnsi(buffer.data());  // stops at the terminator, which the stored size may or may not count
    }
  });
  return text;
}

std::string ProgramRegistryKey(const std::string& program, const std::string& subKey) {
  std::string key = "Software\\" + program;
  if (!subKey.empty()) key += "\\" + subKey;
  return key;
}

bool SetProgramRegistryText(const std::string& program, const std::string& subKey,
                            const std::string& valueName, const std::string& text) {
  return SetRegistryText(HKEY_CURRENT_USER, ProgramRegistryKey(program, subKey), valueName, text);
}

std::string GetProgramRegistryText(const std::string& program, const std::string& subKey,
                                   const std::string& valueName) {
  return GetRegistryText(HKEY_CURRENT_USER, ProgramRegistryKey(program, subKey), valueName);
}
