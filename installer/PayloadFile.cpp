#include "installer/PayloadFile.h"

#include <windows.h>

#include "toolkit/core/WinHandles.h"

namespace talvek {

bool writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return ok && written == bytes.size();
}

}  // namespace talvek
