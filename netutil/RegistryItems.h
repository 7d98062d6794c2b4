// The four registry primitives: text values addressed by a root code and an
// item path ("key\value", a trailing backslash naming the default value).
#pragma once

#include <windows.h>

#include <string>

namespace talvek {

class RegistryItems {
 public:
  // 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER,
  // 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS; any other code HKEY_CURRENT_USER.
  static HKEY rootKey(int rootCode);

  // Opens the key for writing or creates it; stores REG_SZ with its zero.
  static bool writeText(int rootCode, const std::string& itemPath, const std::string& text);
  // REG_SZ as stored, REG_EXPAND_SZ expanded; empty when missing or another type.
  static std::string readText(int rootCode, const std::string& itemPath);
  static bool exists(int rootCode, const std::string& itemPath);
  // Deletes the value; failing that, the key at the full item path (which
  // only succeeds for a key without subkeys).
  static bool remove(int rootCode, const std::string& itemPath);
};

}  // namespace talvek
