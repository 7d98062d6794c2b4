#include "netutil/RegistryItems.h"

#include <cstring>
#include <vector>

#include "netutil/RegistryItemPath.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

RegKey openKey(int rootCode, const std::string& key, REGSAM access) {
  RegKey opened;
  if (RegOpenKeyExA(RegistryItems::rootKey(rootCode), key.c_str(), 0, access, opened.put()) !=
      ERROR_SUCCESS) {
    return RegKey();
  }
  return opened;
}

std::string expanded(const std::string& text) {
  DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  // Some systems count the size in characters, not bytes: room for two
  // bytes each, and the result read only up to the buffer's end.
  std::vector<char> buffer(needed * 2 + 2, '\0');
  const DWORD written = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (written == 0 || written > buffer.size()) return text;
  return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

}  // namespace

HKEY RegistryItems::rootKey(int rootCode) {
  switch (rootCode) {
    case 1:
      return HKEY_CLASSES_ROOT;
    case 2:
      return HKEY_CURRENT_CONFIG;
    case 4:
      return HKEY_LOCAL_MACHINE;
    case 5:
      return HKEY_USERS;
    default:
      return HKEY_CURRENT_USER;
  }
}

bool RegistryItems::writeText(int rootCode, const std::string& itemPath, const std::string& text) {
  RegistryItemPath item = RegistryItemPath::split(itemPath);
  RegKey key = openKey(rootCode, item.key, KEY_WRITE);
  if (!key && RegCreateKeyExA(rootKey(rootCode), item.key.c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return RegSetValueExA(key.get(), item.valueName.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

std::string RegistryItems::readText(int rootCode, const std::string& itemPath) {
  RegistryItemPath item = RegistryItemPath::split(itemPath);
  RegKey key = openKey(rootCode, item.key, KEY_READ);
  if (!key) return {};
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), item.valueName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return {};
  }
  // One spare zero: a stored value need not carry its own terminator.
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(key.get(), item.valueName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return {};
  }
  std::string text(data.data());
  return type == REG_EXPAND_SZ ? expanded(text) : text;
}

bool RegistryItems::exists(int rootCode, const std::string& itemPath) {
  RegistryItemPath item = RegistryItemPath::split(itemPath);
  RegKey key = openKey(rootCode, item.key, KEY_READ);
  return key && RegQueryValueExA(key.get(), item.valueName.c_str(), nullptr, nullptr, nullptr,
                                 nullptr) == ERROR_SUCCESS;
}

bool RegistryItems::remove(int rootCode, const std::string& itemPath) {
  RegistryItemPath item = RegistryItemPath::split(itemPath);
  RegKey key = openKey(rootCode, item.key, KEY_WRITE);
  if (key && RegDeleteValueA(key.get(), item.valueName.c_str()) == ERROR_SUCCESS) return true;
  key.reset();
  std::string fullKey = itemPath;
  while (!fullKey.empty() && fullKey.back() == '\\') fullKey.pop_back();
  // An empty path would name the root itself.
  if (fullKey.empty()) return false;
  return RegDeleteKeyA(rootKey(rootCode), fullKey.c_str()) == ERROR_SUCCESS;
}

}  // namespace talvek
