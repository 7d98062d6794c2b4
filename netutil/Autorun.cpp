#include "netutil/Autorun.h"

#include "netutil/RegistryItemPath.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr DWORD kValueBuffer = 256;

RegKey openRunKey() {
  RegKey key;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kRunKey, key.put()) != ERROR_SUCCESS) return RegKey();
  return key;
}

// A value that does not fit the buffer counts as missing.
std::optional<std::string> storedText(HKEY key, const std::string& valueName) {
  char buffer[kValueBuffer] = {};
  DWORD size = kValueBuffer;
  if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                       &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (size > 0 && buffer[size - 1] == '\0') --size;
  return std::string(buffer, size);
}

}  // namespace

int Autorun::set(const std::string& programPath, const std::optional<std::string>& arguments,
                 const std::string& valueName) {
  std::string text = autorunValueText(programPath, arguments ? &*arguments : nullptr);
  RegKey key = openRunKey();
  if (!key) return kAutorunKeyFailed;
  std::optional<std::string> stored = storedText(key.get(), valueName);
  AutorunDecision decision = decideAutorun(stored ? &*stored : nullptr, text);
  if (!decision.write) return decision.codeOnSuccess;
  bool written = RegSetValueExA(key.get(), valueName.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
  return written ? decision.codeOnSuccess : decision.codeOnFailure;
}

int Autorun::remove(const std::string& valueName) {
  RegKey key = openRunKey();
  if (!key) return -2;
  return RegDeleteValueA(key.get(), valueName.c_str()) == ERROR_SUCCESS ? 0 : -1;
}

}  // namespace talvek
