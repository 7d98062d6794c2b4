#pragma once

#include <cstdint>
#include <span>

namespace talvek {

// The installer's start-up: the single-instance guard, then the window that
// installs the given archive.
int startupRoutine(std::span<const std::uint8_t> payload);

}  // namespace talvek
