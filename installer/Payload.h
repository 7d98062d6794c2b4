// The product archive carried in the executable.
#pragma once

#include <cstdint>
#include <span>

namespace talvek {

std::span<const std::uint8_t> payloadBytes();

}  // namespace talvek
