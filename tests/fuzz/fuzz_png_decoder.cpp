// Picture files from outside: decoding must never read past the bytes, and
// a picture it accepts has exactly the pixels its size says.
#include <cstdlib>

#include "toolkit/core/PngDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto decoded = talvek::decodePng(talvek::ByteView(data, size));
  if (!decoded) return 0;
  if (decoded->width <= 0 || decoded->height <= 0 || decoded->width > talvek::kLargestDecodedSide ||
      decoded->height > talvek::kLargestDecodedSide ||
      decoded->pixels.size() != static_cast<std::size_t>(decoded->width) * decoded->height * 4) {
    std::abort();
  }
  return 0;
}
