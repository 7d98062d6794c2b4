#include "installer/EnvironmentText.h"

#include <windows.h>

#include "toolkit/core/CodePage.h"

namespace talvek {

// Read wide and converted: the narrow call's returned length is not a byte
// count on every system, which would cut a Chinese value short.
std::optional<std::string> environmentText(const wchar_t* name) {
  constexpr DWORD kCapacity = MAX_PATH * 2;
  wchar_t buffer[kCapacity];
  const DWORD length = GetEnvironmentVariableW(name, buffer, kCapacity);
  if (length == 0 || length >= kCapacity) return std::nullopt;
  return fromWide(std::wstring_view(buffer, length));
}

}  // namespace talvek
