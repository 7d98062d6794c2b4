#include "installer/VersionCode.h"

namespace talvek {

int versionCodeFromNt(std::uint32_t major, std::uint32_t minor) {
  if (major <= 4) return kVersionNt4;
  if (major == 5) {
    switch (minor) {
      case 0: return kVersion2000;
      case 1: return kVersionXp;
      case 2: return kVersion2003;
      default: return kVersionOther;
    }
  }
  if (major == 6 && minor == 0) return kVersionVista;
  if (major == 6 && minor == 1) return kVersion7;
  return kVersionOther;
}

int versionCodeFrom9x(const std::uint32_t (&threadBlockWords)[3]) {
  constexpr std::uint32_t kMarker = 0x530000;
  for (int i = 0; i < 3; ++i) {
    if (threadBlockWords[i] == kMarker) return i + 1;
  }
  return kVersionOther;
}

}  // namespace talvek
