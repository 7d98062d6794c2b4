#include "tests/windows/installer/ZipFixture.h"

#include <zip.h>

#include "tests/windows/TestSupport.h"

namespace talvek::test {

bool makeZip(const std::string& path, const std::vector<ZipEntry>& entries) {
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return false;
  bool ok = true;
  for (const auto& entry : entries) {
    zip_fileinfo info{};
    info.tmz_date = {0, 0, 12, 1, 0, 2020};
    info.external_fa = entry.directory ? 0x10 : 0x20;
    int method = entry.directory || entry.data.empty() ? 0 : Z_DEFLATED;
    ok = ok && zipOpenNewFileInZip(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, method, 6) == ZIP_OK;
    if (!entry.data.empty()) {
      ok = ok && zipWriteInFileInZip(zip, entry.data.data(), static_cast<unsigned>(entry.data.size())) == ZIP_OK;
    }
    ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
  }
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

bool damageEntry(const std::string& path, const std::string& entryName) {
  std::string bytes = readFileBytes(path);
  auto header = bytes.find(std::string("PK\3\4"));
  while (header != std::string::npos) {
    auto nameLength = static_cast<unsigned char>(bytes[header + 26]) | static_cast<unsigned char>(bytes[header + 27]) << 8;
    auto extraLength = static_cast<unsigned char>(bytes[header + 28]) | static_cast<unsigned char>(bytes[header + 29]) << 8;
    if (bytes.compare(header + 30, nameLength, entryName) == 0) {
      size_t data = header + 30 + nameLength + extraLength;
      for (size_t i = data + 2; i < data + 12 && i < bytes.size(); ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
      return writeFileBytes(path, bytes);
    }
    header = bytes.find(std::string("PK\3\4"), header + 4);
  }
  return false;
}

}  // namespace talvek::test
