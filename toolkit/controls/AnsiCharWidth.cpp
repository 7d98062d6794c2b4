#include "toolkit/controls/AnsiCharWidth.h"

#include <windows.h>

namespace talvek {

bool takesTwoAnsiBytes(char16_t c) {
  const wchar_t wide = static_cast<wchar_t>(c);
  char bytes[4] = {};
  BOOL replaced = FALSE;
  int written = WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, &replaced);
  return written == 2 && !replaced;
}

}  // namespace talvek
