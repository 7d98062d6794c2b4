#include "netutil/TextMarkers.h"

#include <algorithm>

namespace talvek {
namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr std::string_view kQuotePlaceholder = "#引号";

}  // namespace

size_t findNoCase(std::string_view text, std::string_view needle, size_t from) {
  if (from > text.size() || needle.size() > text.size() - from) return std::string_view::npos;
  auto it = std::search(text.begin() + from, text.end(), needle.begin(), needle.end(),
                        [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
  return it == text.end() && !needle.empty() ? std::string_view::npos
                                             : static_cast<size_t>(it - text.begin());
}

std::string textBetween(std::string_view text, std::string left, std::string right) {
  left = replaceAll(std::move(left), kQuotePlaceholder, "\"");
  right = replaceAll(std::move(right), kQuotePlaceholder, "\"");
  size_t start = findNoCase(text, left);
  if (start == std::string_view::npos) return {};
  start += left.size();
  size_t end = findNoCase(text, right, start);
  if (end == std::string_view::npos) return {};
  return std::string(text.substr(start, end - start));
}

std::vector<std::string> textsBetween(std::string_view text, std::string_view left,
                                      std::string_view right) {
  std::vector<std::string> found;
  size_t from = 0;
  while (true) {
    size_t start = findNoCase(text, left, from);
    if (start == std::string_view::npos) break;
    start += left.size();
    size_t end = findNoCase(text, right, start);
    if (end == std::string_view::npos) break;
    std::string item = trimSpaces(text.substr(start, end - start));
    if (item.empty()) break;
    found.push_back(std::move(item));
    // An empty right marker would not advance the scan.
    from = std::max(end + right.size(), start + 1);
  }
  return found;
}

std::string textAfterLast(std::string_view text, std::string_view marker) {
  size_t at = text.rfind(marker);
  if (at == std::string_view::npos || marker.empty()) return {};
  return std::string(text.substr(at + marker.size()));
}

std::string valueAfterColon(std::string_view text) {
  size_t colon = text.find(':');
  if (colon == std::string_view::npos) return {};
  return trimSpaces(text.substr(colon + 1));
}

std::string trimSpaces(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
  if (from.empty()) return text;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string withoutChar(std::string_view text, char removed) {
  std::string kept;
  kept.reserve(text.size());
  for (char c : text) {
    if (c != removed) kept.push_back(c);
  }
  return kept;
}

std::string toLowerAscii(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = lowerAscii(c);
  return lowered;
}

std::vector<std::string> splitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (separator.empty()) return {std::string(text)};
  size_t from = 0;
  while (true) {
    size_t at = text.find(separator, from);
    if (at == std::string_view::npos) break;
    pieces.emplace_back(text.substr(from, at - from));
    from = at + separator.size();
  }
  pieces.emplace_back(text.substr(from));
  return pieces;
}

}  // namespace talvek
