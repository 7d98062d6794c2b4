// Conversions between the program's narrow texts and UTF-16 byte blocks.
// Narrow input is read in the ANSI code page; WideText::toAnsi writes the OEM
// code page. Both are 936 (GBK) on the systems the installer targets.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/core/ByteBlock.h"

namespace talvek {

// UTF-16LE bytes of text up to its first zero byte, without a terminator.
ByteBlock fromAnsi(std::string_view text);

// Narrow text in codePage of UTF-16 text; empty when nothing converts.
std::string toCodePage(std::u16string_view text, unsigned codePage);

// For the wide system calls: narrow text read in `codePage` (0 is the ANSI
// code page, 65001 UTF-8), and back.
std::wstring toWide(std::string_view text, unsigned codePage = 0);
std::string fromWide(std::wstring_view text, unsigned codePage = 0);
// The toolkit's own UTF-16 strings of narrow text in the ANSI code page.
std::u16string ansiToUtf16(std::string_view ansi);

}  // namespace talvek
