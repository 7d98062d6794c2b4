#include "installer/LogLine.h"

#include "toolkit/core/NumberText.h"

namespace talvek {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";
constexpr int kStepWidth = 22;
constexpr int kResultWidth = 7;

// Length of the valid sequence starting at text[i], 0 when there is none.
std::size_t validSequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  std::size_t length;
  std::uint32_t value;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i + k) & 0x3F);
  }
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  if (overlong || surrogate || value > 0x10FFFF) return 0;
  return length;
}

std::string padded(std::string text, int width) {
  if (text.size() < static_cast<std::size_t>(width)) text.append(width - text.size(), ' ');
  return text;
}

std::string field(std::string_view text, std::size_t limit) { return cutToCharacters(singleLine(validUtf8(text)), limit); }

}  // namespace

std::string validUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = validSequenceLength(text, i);
    if (length == 0) {
      out += kReplacement;
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

std::string singleLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  const auto first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string cutToCharacters(std::string_view utf8, std::size_t limit) {
  if (utf8.size() <= limit) return std::string(utf8);
  constexpr std::string_view kMark = "...";
  if (limit < kMark.size()) return std::string(kMark.substr(0, limit));
  std::size_t end = limit - kMark.size();
  // Back off continuation bytes so the cut falls between characters.
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return std::string(utf8.substr(0, end)) + std::string(kMark);
}

std::string formatLogLine(const LogLine& line) {
  const std::string at = paddedDecimal(line.atMs, 8) + " ms";
  const std::string took = line.tookMs ? paddedDecimal(*line.tookMs, 5) + " ms" : "";
  std::string detail = field(line.detail, kLogDetailLimit);
  if (line.errorCode) {
    const std::string code =
        "error " + std::to_string(*line.errorCode) + " (0x" + hexDigits(*line.errorCode, 8) + ")";
    const std::string message = field(line.errorText, kLogDetailLimit);
    detail += (detail.empty() ? "" : "; ") + code + (message.empty() ? "" : ": " + message);
  }
  std::string out = at;
  out += " | " + padded(field(line.step, 64), kStepWidth);
  out += " | " + padded(field(line.result, 32), kResultWidth);
  out += " | " + padded(took, 8);
  if (!detail.empty()) out += " | " + detail;
  // Empty last columns leave no dangling separators.
  out.erase(out.find_last_not_of(" |") + 1);
  return out + "\r\n";
}

std::string logHeaderLine() {
  return padded("since start", 11) + " | " + padded("step", kStepWidth) + " | " + padded("result", kResultWidth) +
         " | " + padded("took", 8) + " | details\r\n";
}

}  // namespace talvek
