#include "installer/FreshFolder.h"

#include <windows.h>

#include "installer/NewHeldFolder.h"
#include "installer/WideDecimal.h"

namespace talvek {
namespace {

constexpr int kNameAttempts = 100;

}  // namespace

FreshFolder createFreshFolder(const std::wstring& parent, const std::wstring& stem, const std::wstring& rights) {
  const FolderRights descriptor(rights);
  if (!descriptor.get()) return {};
  const std::wstring base = parent + stem + wideDecimal(GetCurrentProcessId()) + L"-";
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::wstring folder = base + wideDecimal(static_cast<unsigned long>(attempt));
    // Fails for any existing name, so the folder is ours and empty.
    Handle held = makeHeldFolder(folder, descriptor.get());
    if (held) return {folder + L"\\", std::move(held)};
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

}  // namespace talvek
