#include "installer/FreshFolder.h"

#include <windows.h>

namespace talvek {
namespace {

constexpr int kNameAttempts = 100;

}  // namespace

std::wstring createFreshFolder(const std::wstring& parent, const std::wstring& stem) {
  const std::wstring base = parent + stem + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::wstring folder = base + std::to_wstring(attempt);
    // Fails for any existing name, so the folder is ours and empty.
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder + L"\\";
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

}  // namespace talvek
