// One line of the install log, laid out for the person who reads it when
// an installation went wrong: when (milliseconds since the process
// started), which step, its result, how long it took, and what it
// concerned. Texts are UTF-8; whatever arrives is made valid and kept on
// one line, so one damaged name cannot spoil the rest of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace talvek {

struct LogLine {
  std::uint32_t atMs = 0;
  std::string step;
  std::string result;
  std::optional<std::uint32_t> tookMs;
  std::string detail;
  // The system's error code on a failure, with its message text.
  std::optional<std::uint32_t> errorCode;
  std::string errorText;
};

// A detail longer than this is cut (at a character) and marked.
inline constexpr std::size_t kLogDetailLimit = 2048;

// "    1234 ms | write archive        | FAILED |   12 ms | C:\...; error 5
// (0x00000005): Access denied." with CR LF, so any editor shows lines.
std::string formatLogLine(const LogLine& line);

// The first line of the file, naming the columns.
std::string logHeaderLine();

// Invalid UTF-8 sequences (stray bytes, overlong forms, surrogates, values
// past U+10FFFF, cut-off sequences) each become U+FFFD.
std::string validUtf8(std::string_view text);

// Line breaks, tabs and other control characters become spaces; space at
// either end goes (system messages end in CR LF).
std::string singleLine(std::string_view text);

// At most `limit` bytes, never ending inside a character; "..." marks a cut.
std::string cutToCharacters(std::string_view utf8, std::size_t limit);

}  // namespace talvek
