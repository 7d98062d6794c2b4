#include "toolkit/core/PropertyText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "toolkit/core/NumberText.h"

namespace talvek {
namespace {

// Long enough for any number or colour; longer texts are cut here.
constexpr std::size_t kMaxNumberText = 64;

std::vector<std::string_view> splitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  while (fields.size() < 4) {
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) break;
    fields.push_back(text.substr(0, comma));
    text.remove_prefix(comma + 1);
  }
  fields.push_back(text);
  return fields;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

double propertyNumber(std::string_view text) {
  std::string copy(text.substr(0, kMaxNumberText));
  const char* end = nullptr;
  double value = readDecimal(copy.c_str(), &end);
  if (end == copy.c_str() || !std::isfinite(value)) return 0.0;
  return value;
}

Argb propertyColor(std::string_view text) {
  std::string copy(trimmed(text.substr(0, kMaxNumberText)));
  const char* begin = copy.c_str();
  int base = 10;
  if (*begin == '#') {
    ++begin;
    base = 16;
  } else if (begin[0] == '0' && (begin[1] == 'x' || begin[1] == 'X')) {
    begin += 2;
    base = 16;
  }
  char* end = nullptr;
  long long value = std::strtoll(begin, &end, base);
  if (end == begin) return 0;
  return static_cast<Argb>(static_cast<unsigned long long>(value));
}

std::string numberPropertyText(double value) {
  return generalText(value, 9);
}

std::string colorPropertyText(Argb color) {
  return "0x" + hexDigits(color, 8);
}

StyleText parseStyleText(std::string_view text) {
  std::vector<std::string_view> fields = splitFields(text);
  fields.resize(5);
  StyleText style;
  auto number = [](std::string_view field) -> std::optional<int> {
    if (trimmed(field).empty()) return std::nullopt;
    return static_cast<int>(std::clamp(propertyNumber(field), -2147483648.0, 2147483647.0));
  };
  auto color = [](std::string_view field) -> std::optional<Argb> {
    if (trimmed(field).empty()) return std::nullopt;
    return propertyColor(field);
  };
  style.flags = number(fields[0]);
  style.fontName = std::string(trimmed(fields[1]));
  style.size = number(fields[2]);
  style.textColor = color(fields[3]);
  style.glowColor = color(fields[4]);
  return style;
}

std::string formatStyleText(const StyleText& style) {
  auto number = [](const std::optional<int>& v) { return v ? std::to_string(*v) : std::string(); };
  auto color = [](const std::optional<Argb>& v) { return v ? colorPropertyText(*v) : std::string(); };
  return number(style.flags) + "," + style.fontName + "," + number(style.size) + "," + color(style.textColor) + "," +
         color(style.glowColor);
}

}  // namespace talvek
