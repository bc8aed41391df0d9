#include "platform/UninstallRegistry.h"

#include <windows.h>

#include "core/trace/FunStatus.h"
#include "platform/HandleHolders.h"

namespace {

std::string UninstallKey(const std::string& keyName) {
  const std::string root = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  return keyName.empty() ? root : root + "\\" + keyName;
}

}  // namespace

bool SetUninstallRegistry(const std::string& keyName, const std::string& displayName, const std::string& command) {
  FUN_TRACE("SetUninstallRegistry");
  FUN_GUARD({
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, UninstallKey(keyName).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) return FUN_RAISE("Failed to open registry key.", keyName, "", static_cast<uint32_t>(result));
    const TRegistryKeyHolder keyHolder(key);
    const auto set = [&](const char* name, const std::string& value) {
      return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1));
    };
    result = set("DisplayName", displayName);
    if (result == ERROR_SUCCESS) result = set("UninstallString", command);
    if (result != ERROR_SUCCESS) FUN_RAISE("Failed to write registry value.", keyName, "", static_cast<uint32_t>(result));
  });
  return !trace_.Failed();
}

bool DeleteUninstallerRegistry(const std::string& keyName) {
  FUN_TRACE("DeleteUninstallerRegistry");
  FUN_GUARD({
    const LONG result = RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallKey(keyName).c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
      FUN_RAISE("Failed to delete registry key.", keyName, "", static_cast<uint32_t>(result));
  });
  return !trace_.Failed();
}

bool CanWriteUninstallRegistry(const std::string& keyName) {
  HKEY key = nullptr;
  LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey(keyName).c_str(), 0, KEY_SET_VALUE | DELETE, &key);
  if (result == ERROR_FILE_NOT_FOUND)
    result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey("").c_str(), 0, KEY_CREATE_SUB_KEY, &key);
  if (result != ERROR_SUCCESS) return false;
  const TRegistryKeyHolder opened(key);  // only the opening was asked for
  return true;
}
