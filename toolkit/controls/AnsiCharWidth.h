// Whether a character takes two bytes in the system code page: the edit
// box's input mode 5 accepts exactly those.
#pragma once

namespace talvek {

// False for characters the code page cannot represent (and lone surrogates).
bool takesTwoAnsiBytes(char16_t c);

}  // namespace talvek
