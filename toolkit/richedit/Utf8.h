// UTF-8 to UTF-16 for text posted by the rich-edit page.
#pragma once

#include <string>
#include <string_view>

namespace talvek::richedit {

// Malformed sequences (stray continuation bytes, overlong forms, encoded
// surrogates, values past U+10FFFF, truncated sequences) each become one
// U+FFFD, as the system's own converter does, so no input is refused.
std::u16string utf8ToUtf16(std::string_view utf8);

}  // namespace talvek::richedit
