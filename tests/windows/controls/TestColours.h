// Opaque colours the control tests paint with, far enough apart to tell
// which control shows at a pixel.
#pragma once

#include "toolkit/core/ArgbColor.h"

namespace talvek::test {

inline constexpr Argb kRed = 0xFFCC2020;
inline constexpr Argb kGreen = 0xFF20AA40;
inline constexpr Argb kBlue = 0xFF2040CC;

}  // namespace talvek::test
