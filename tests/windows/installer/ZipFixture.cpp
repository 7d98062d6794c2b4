#include "tests/windows/installer/ZipFixture.h"

#include <zip.h>

#include <cstdint>
#include <cstring>

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

namespace {

unsigned littleEndian16(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// Where the header with `signature` for `entryName` starts; npos when none.
// `nameAt` is the offset of the name within such a header, whose length
// stands in the two bytes before the two of the extra field's length.
size_t findHeader(const std::string& bytes, const std::string& signature, size_t nameAt, size_t nameLengthAt,
                  const std::string& entryName) {
  for (size_t header = bytes.find(signature); header != std::string::npos; header = bytes.find(signature, header + 4)) {
    if (header + nameAt > bytes.size()) break;
    if (bytes.compare(header + nameAt, littleEndian16(bytes, header + nameLengthAt), entryName) == 0) return header;
  }
  return std::string::npos;
}

const std::string kLocalHeader("PK\3\4");
const std::string kCentralHeader("PK\1\2");

}  // namespace

bool damageEntry(const std::string& path, const std::string& entryName) {
  std::string bytes = readFileBytes(path);
  size_t header = findHeader(bytes, kLocalHeader, 30, 26, entryName);
  if (header == std::string::npos) return false;
  size_t data = header + 30 + littleEndian16(bytes, header + 26) + littleEndian16(bytes, header + 28);
  for (size_t i = data + 2; i < data + 12 && i < bytes.size(); ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  return writeFileBytes(path, bytes);
}

bool overstateSize(const std::string& path, const std::string& entryName, unsigned extra) {
  std::string bytes = readFileBytes(path);
  size_t local = findHeader(bytes, kLocalHeader, 30, 26, entryName);
  size_t central = findHeader(bytes, kCentralHeader, 46, 28, entryName);
  if (local == std::string::npos || central == std::string::npos) return false;
  for (size_t size : {local + 22, central + 24}) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + size, sizeof value);
    value += extra;
    std::memcpy(bytes.data() + size, &value, sizeof value);
  }
  return writeFileBytes(path, bytes);
}

}  // namespace talvek::test
