#include "installer/SystemLibraries.h"

#include <windows.h>

#include <cstddef>

namespace talvek {
namespace {

// Names that system libraries load on the program's behalf, by bare name,
// and that Windows does not protect as known DLLs. Not every such load
// follows the narrowed search (a library's own dependencies found through an
// altered search path; Wine's loader on its own behalf), so they are loaded
// from the system folder at once: a later search by name finds them loaded.
constexpr const wchar_t* kLoadedForUs[] = {
    L"uxtheme.dll", L"dwmapi.dll", L"version.dll", L"cryptbase.dll",
    L"propsys.dll", L"oleacc.dll", L"userenv.dll",  L"apphelp.dll",
};
// The program's own late-loaded libraries (a delay-load import table loads
// them by bare name on first use).
constexpr const wchar_t* kLoadedLate[] = {L"gdiplus.dll", L"winmm.dll", L"msimg32.dll", L"wininet.dll"};

template <std::size_t count>
void loadFromSystemFolder(const wchar_t* const (&names)[count]) {
  for (const wchar_t* name : names) {
    const std::wstring path = systemFolderFile(name);
    if (!path.empty()) LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
}

// Windows 7 without its 2011 loader update lacks this call: it is looked up,
// not imported, so the program still starts there.
bool setDefaultSearchToSystemFolder() {
  using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto setDefault = kernel ? reinterpret_cast<SetDefaultDllDirectoriesProc>(
                                 reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                           : nullptr;
  return setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

std::wstring systemFolderFile(const wchar_t* fileName) {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(folder, length) + L"\\" + fileName;
}

void restrictLibrarySearchToSystemFolder() {
  const bool narrowed = setDefaultSearchToSystemFolder();
  if (!narrowed) {
    // The older loader searches the program's own folder first, whatever
    // is done; the current folder at least can be taken out.
    SetDllDirectoryW(L"");
  }
  loadFromSystemFolder(kLoadedForUs);
  if (!narrowed) loadFromSystemFolder(kLoadedLate);
}

}  // namespace talvek
