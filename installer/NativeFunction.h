// The system's native layer, looked up rather than imported: its library is
// always loaded, but the import table names only libraries the loader
// protects.
#pragma once

#include <windows.h>

namespace talvek {

template <typename Function>
Function nativeFunction(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

}  // namespace talvek
