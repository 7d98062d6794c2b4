// The small integer the installer uses to tell Windows versions apart.
#pragma once

#include <cstdint>

namespace talvek {

enum WindowsVersionCode : int {
  kVersionOther = 0,  // 6.2 and later, and anything unrecognised
  kVersionNt4 = 4,
  kVersion2000 = 5,
  kVersionXp = 6,
  kVersion2003 = 7,
  kVersionVista = 8,
  kVersion7 = 9,
};

// From the major and minor version of the NT process environment block.
int versionCodeFromNt(std::uint32_t major, std::uint32_t minor);

// The 9x family marks itself with 0x530000 in one of three thread-block words
// (offsets 0x58, 0x54, 0x7C, tested in that order); the code is 1, 2 or 3.
int versionCodeFrom9x(const std::uint32_t (&threadBlockWords)[3]);

}  // namespace talvek
