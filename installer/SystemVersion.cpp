#include "installer/SystemVersion.h"

#include <windows.h>

#include <cstdint>

#include "installer/VersionCode.h"

namespace talvek {
namespace {

// Byte offsets in the 32-bit process environment block and thread block.
constexpr size_t kPebOffsetInTeb = 0x30;
constexpr size_t kPebMajorVersion = 0xA4;
constexpr size_t kPebMinorVersion = 0xA8;
constexpr size_t kWin9xMarkerOffsets[3] = {0x58, 0x54, 0x7C};

// The thread block's own linear address sits at fs:0x18.
const std::uint8_t* threadBlock() {
  std::uintptr_t self;
  __asm__("movl %%fs:0x18, %0" : "=r"(self));
  return reinterpret_cast<const std::uint8_t*>(self);
}

std::uint32_t wordAt(const std::uint8_t* base, size_t offset) {
  std::uint32_t value;
  __builtin_memcpy(&value, base + offset, sizeof value);
  return value;
}

}  // namespace

int windowsVersionCode() {
  const std::uint8_t* teb = threadBlock();
  auto peb = wordAt(teb, kPebOffsetInTeb);
  if (peb & 0x80000000u) {
    std::uint32_t words[3];
    for (int i = 0; i < 3; ++i) words[i] = wordAt(teb, kWin9xMarkerOffsets[i]);
    return versionCodeFrom9x(words);
  }
  const auto* pebBytes = reinterpret_cast<const std::uint8_t*>(static_cast<uintptr_t>(peb));
  return versionCodeFromNt(wordAt(pebBytes, kPebMajorVersion), wordAt(pebBytes, kPebMinorVersion));
}

bool isWindowsXp() { return windowsVersionCode() == kVersionXp; }

}  // namespace talvek
