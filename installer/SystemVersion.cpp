#include "installer/SystemVersion.h"

#include <windows.h>

#include <cstdint>

#include "installer/VersionCode.h"

namespace talvek {
namespace {

// Byte offsets in the process environment block and thread block. The
// 64-bit layout serves the build whose Windows tests run under 64-bit Wine.
#if defined(__x86_64__)
constexpr size_t kPebOffsetInTeb = 0x60;
constexpr size_t kPebMajorVersion = 0x118;
constexpr size_t kPebMinorVersion = 0x11C;
#else
constexpr size_t kPebOffsetInTeb = 0x30;
constexpr size_t kPebMajorVersion = 0xA4;
constexpr size_t kPebMinorVersion = 0xA8;
constexpr size_t kWin9xMarkerOffsets[3] = {0x58, 0x54, 0x7C};
#endif

// The thread block's own linear address sits at its self pointer.
const std::uint8_t* threadBlock() {
  std::uintptr_t self;
#if defined(__x86_64__)
  __asm__("movq %%gs:0x30, %0" : "=r"(self));
#else
  __asm__("movl %%fs:0x18, %0" : "=r"(self));
#endif
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
#if defined(__x86_64__)
  std::uintptr_t peb;
  __builtin_memcpy(&peb, teb + kPebOffsetInTeb, sizeof peb);
#else
  auto peb = wordAt(teb, kPebOffsetInTeb);
  if (peb & 0x80000000u) {
    std::uint32_t words[3];
    for (int i = 0; i < 3; ++i) words[i] = wordAt(teb, kWin9xMarkerOffsets[i]);
    return versionCodeFrom9x(words);
  }
#endif
  const auto* pebBytes = reinterpret_cast<const std::uint8_t*>(peb);
  return versionCodeFromNt(wordAt(pebBytes, kPebMajorVersion), wordAt(pebBytes, kPebMinorVersion));
}

bool isWindowsXp() { return windowsVersionCode() == kVersionXp; }

}  // namespace talvek
