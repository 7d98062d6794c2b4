// The minified jQuery 1.8.2 library served at "/web/jquery", byte for byte
// as published (reproduced and checked by scripts/fetch-jquery.sh).
#pragma once

#include <cstdint>
#include <span>

namespace talvek::richedit {

std::span<const std::uint8_t> jqueryLibrary();

}  // namespace talvek::richedit
