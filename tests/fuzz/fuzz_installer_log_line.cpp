// Whatever bytes a step hands the install log (a path in another code
// page, a cut-off system message), the line written is valid UTF-8 on one
// line, and text that was valid already is kept as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "installer/LogLine.h"

namespace {

// Well-formed UTF-8 by the table of the Unicode standard, written apart
// from the log's own reading of it.
bool wellFormed(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80) length = 1;
    else if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const unsigned char next = byte(i + k);
      const unsigned char min = k == 1 ? low : 0x80, max = k == 1 ? high : 0xBF;
      if (next < min || next > max) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string valid = talvek::validUtf8(text);
  if (!wellFormed(valid)) std::abort();
  if (wellFormed(text) && valid != text) std::abort();
  if (talvek::validUtf8(valid) != valid) std::abort();

  const std::string cut = talvek::cutToCharacters(valid, size / 2);
  if (!wellFormed(cut) || cut.size() > size / 2) std::abort();

  talvek::LogLine line;
  line.step = std::string(text.substr(0, size / 3));
  line.result = "FAILED";
  line.detail = std::string(text);
  line.errorCode = 5;
  line.errorText = std::string(text.substr(size / 2));
  const std::string formatted = talvek::formatLogLine(line);
  if (!wellFormed(formatted)) std::abort();
  if (formatted.size() < 2 || formatted.substr(formatted.size() - 2) != "\r\n") std::abort();
  if (formatted.find_first_of("\r\n") != formatted.size() - 2) std::abort();
  return 0;
}
