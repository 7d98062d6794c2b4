// Turns encoded image bytes (PNG and whatever else GDI+ reads) into a
// 32-bit ARGB GDI+ bitmap, optionally scaled.
#pragma once

#include <optional>

#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek {

// The image redrawn at the given size (natural width/height where not
// given) with high-quality bicubic filtering; empty when the bytes are
// empty or not an image, or GDI+ is not running.
GdiplusBitmap decodeImage(ByteView bytes, std::optional<int> width = std::nullopt,
                          std::optional<int> height = std::nullopt);

}  // namespace talvek
