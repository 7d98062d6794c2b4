// Turns the plain PNG files the program carries (8-bit RGB or RGBA, or a
// palette of 1 to 8 bits with or without transparency; not interlaced; no
// colour-space chunks) into 32-bit pixels, without the system's codec
// framework, whose start-up under some systems costs more than the
// decoding itself. Anything else, or anything damaged, is declined: the
// caller hands those bytes to the system's decoder, so that they meet the
// same outcome as before.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "toolkit/core/ByteBlock.h"

namespace talvek {

struct DecodedPng {
  int width = 0;
  int height = 0;
  // Rows top down, 4 bytes a pixel in the order blue, green, red, alpha,
  // alpha not multiplied in: the memory layout of 32-bit ARGB bitmaps.
  std::vector<std::uint8_t> pixels;
};

// Pictures past this many pixels a side are declined.
inline constexpr int kLargestDecodedSide = 8192;

std::optional<DecodedPng> decodePng(ByteView bytes);

}  // namespace talvek
