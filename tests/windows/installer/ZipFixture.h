// Builds small ZIP archives for the extraction tests, including damaged and
// hostile ones.
#pragma once

#include <string>
#include <vector>

namespace talvek::test {

struct ZipEntry {
  std::string name;  // raw bytes, as stored in the archive
  std::string data;
  bool directory = false;
};

bool makeZip(const std::string& path, const std::vector<ZipEntry>& entries);

// Flips bytes in the middle of the compressed data of entry `index` (by
// searching for its local header), so its CRC or inflate fails.
bool damageEntry(const std::string& path, const std::string& entryName);

// Makes entry `entryName` claim `extra` bytes more than its data inflates
// to, in both of its headers: a damaged stream that ends early.
bool overstateSize(const std::string& path, const std::string& entryName, unsigned extra);

}  // namespace talvek::test
