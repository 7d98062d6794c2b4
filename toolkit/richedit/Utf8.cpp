#include "toolkit/richedit/Utf8.h"

#include <cstdint>

namespace talvek::richedit {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

struct SequenceShape {
  int length;              // bytes in the whole sequence; 0 for an invalid lead
  std::uint32_t leadBits;  // value bits of the lead byte
  unsigned char secondMin, secondMax;  // bounds that exclude overlongs and surrogates
};

SequenceShape shapeOf(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2, lead & 0x1Fu, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x0D, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {3, lead & 0x0Fu, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, lead & 0x07u, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 4, 0x80, 0x8F};
  return {0, 0, 0, 0};
}

void appendCodePoint(std::u16string& out, std::uint32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
    return;
  }
  cp -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

}  // namespace

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    const SequenceShape shape = shapeOf(lead);
    std::uint32_t cp = shape.leadBits;
    int taken = 1;
    bool valid = shape.length != 0;
    while (valid && taken < shape.length) {
      if (i + taken >= utf8.size()) {
        valid = false;
        break;
      }
      const auto next = static_cast<unsigned char>(utf8[i + taken]);
      const bool inRange = taken == 1 ? (next >= shape.secondMin && next <= shape.secondMax)
                                      : isContinuation(next);
      if (!inRange) {
        valid = false;
        break;
      }
      cp = (cp << 6) | (next & 0x3Fu);
      ++taken;
    }
    if (valid) {
      appendCodePoint(out, cp);
    } else {
      // One replacement for the lead and the continuation bytes it did accept.
      out.push_back(kReplacement);
    }
    i += static_cast<std::size_t>(taken);
  }
  return out;
}

}  // namespace talvek::richedit
