#include "installer/FreshFolder.h"

#include <windows.h>

#include "installer/WideDecimal.h"

namespace talvek {
namespace {

constexpr int kNameAttempts = 100;

}  // namespace

std::wstring createFreshFolder(const std::wstring& parent, const std::wstring& stem) {
  const std::wstring base = parent + stem + wideDecimal(GetCurrentProcessId()) + L"-";
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::wstring folder = base + wideDecimal(static_cast<unsigned long>(attempt));
    // Fails for any existing name, so the folder is ours and empty.
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder + L"\\";
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

}  // namespace talvek
