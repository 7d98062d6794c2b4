// GDI+ draws with 0xAARRGGBB colours; Windows colour values are 0x00BBGGRR.
#pragma once

#include <cstdint>

namespace talvek {

using Argb = std::uint32_t;

// The Windows colour rgb with alpha as a GDI+ colour; opaque by default.
constexpr Argb colorFromRgb(std::uint32_t rgb, std::uint8_t alpha = 255) {
  std::uint32_t red = rgb & 0xFF;
  std::uint32_t green = (rgb >> 8) & 0xFF;
  std::uint32_t blue = (rgb >> 16) & 0xFF;
  return (static_cast<Argb>(alpha) << 24) | (red << 16) | (green << 8) | blue;
}

}  // namespace talvek
