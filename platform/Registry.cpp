#include "platform/Registry.h"

#include <vector>

#include "core/trace/FunStatus.h"
#include "platform/HandleHolders.h"

bool SetRegistryText(HKEY root, const std::string& key, const std::string& valueName,
                     const std::string& text) {
  FUN_TRACE("SetRegistryText");
  bool written = false;
  FUN_GUARD({
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
      return;
    const TRegistryKeyHolder keyHolder(handle);
    written = RegSetValueExA(handle, valueName.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
  });
  return written;
}

std::string GetRegistryText(HKEY root, const std::string& key, const std::string& valueName) {
  FUN_TRACE("GetRegistryText");
  std::string text;
  FUN_GUARD({
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return;
    const TRegistryKeyHolder keyHolder(handle);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(handle, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
      std::vector<char> buffer(size + 1, '\0');
      if (RegQueryValueExA(handle, valueName.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS)
        text = buffer.data();  // stops at the terminator, which the stored size may or may not count
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
