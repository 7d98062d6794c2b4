// A counted run of bytes held by value; images, texts in transit and the
// payload travel as byte blocks. An empty block is a valid value.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace talvek {

using ByteBlock = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

}  // namespace talvek
