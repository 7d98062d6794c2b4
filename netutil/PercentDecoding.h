#pragma once

#include <string>
#include <string_view>

namespace talvek {

// Every "%" followed by two hexadecimal digits becomes that byte; every
// other byte, "+" and a "%" without two digits after it included, is copied.
std::string percentDecodeBytes(std::string_view text);

}  // namespace talvek
