// Marker-based text extraction used to read web answers and headers. Texts
// are 8-bit (GBK on the target systems); letter-case folding is ASCII only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvek {

// Position of `needle` in `text` at or after `from`, ignoring ASCII letter
// case; npos when absent.
size_t findNoCase(std::string_view text, std::string_view needle, size_t from = 0);

// The text between the first `left` and the next `right` after it (both
// found ignoring letter case); empty when either is missing. In both markers
// "#引号" stands for a double quote, so markers can be written without escapes.
std::string textBetween(std::string_view text, std::string left, std::string right);

// Every text between a `left` and the next `right`, scanning on from each
// `right`, trimmed; the scan ends at the first missing marker or empty text.
std::vector<std::string> textsBetween(std::string_view text, std::string_view left,
                                      std::string_view right);

// The text after the last `marker`; empty when the marker is absent.
std::string textAfterLast(std::string_view text, std::string_view marker);

// The text after the first ":", trimmed of spaces; empty without a colon.
std::string valueAfterColon(std::string_view text);

std::string trimSpaces(std::string_view text);
std::string replaceAll(std::string text, std::string_view from, std::string_view to);
std::string withoutChar(std::string_view text, char removed);
std::string toLowerAscii(std::string_view text);
std::vector<std::string> splitText(std::string_view text, std::string_view separator);

}  // namespace talvek
