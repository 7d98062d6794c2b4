// Bytes linked into the executable's read-only data by talvek_embed() in
// CMake. They are used in place: nothing copies them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#define TALVEK_DECLARE_BLOB(symbol)            \
  extern "C" const std::uint8_t symbol[];      \
  extern "C" const std::uint32_t symbol##_size

#define TALVEK_BLOB(symbol) (std::span<const std::uint8_t>(symbol, symbol##_size))
