// Writing the embedded archive to disk.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace talvek {

// Creates `path` new, opened for exclusive writing, and writes the bytes
// with one write straight from where they are. False when anything is
// already there (whatever it is, nothing is written through it), the file
// cannot be made, or not every byte was written.
bool writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace talvek
