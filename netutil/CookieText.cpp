#include "netutil/CookieText.h"

#include <algorithm>
#include <vector>

#include "netutil/TextMarkers.h"

namespace talvek {
namespace {

// Drops ASCII spaces and full-width (GBK A1A1) spaces, stepping over
// double-byte characters so a trail byte is never paired with the next lead.
std::string withoutSpaces(std::string_view text) {
  std::string kept;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) {
      if (!(c == 0xA1 && static_cast<unsigned char>(text[i + 1]) == 0xA1)) {
        kept.append(text.substr(i, 2));
      }
      ++i;
    } else if (c != ' ') {
      kept.push_back(text[i]);
    }
  }
  return kept;
}

// Empty items carry no cookie; keeping them would put "; " in front of the jar.
std::vector<std::string> cookieItems(std::string_view text) {
  std::vector<std::string> items = splitText(withoutSpaces(text), ";");
  std::erase_if(items, [](const std::string& item) { return item.empty(); });
  return items;
}

}  // namespace

std::string cookieName(std::string_view item) { return trimSpaces(item.substr(0, item.find('='))); }

std::string removeDuplicateItems(std::string_view text, std::string_view separator) {
  std::vector<std::string> kept;
  for (std::string& item : splitText(text, separator)) {
    if (std::find(kept.begin(), kept.end(), item) == kept.end()) kept.push_back(std::move(item));
  }
  std::string joined;
  for (size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) joined += separator;
    joined += kept[i];
  }
  return joined;
}

std::string appendCookiePairs(std::string_view gathered, std::string_view pairs) {
  if (gathered.empty()) return std::string(pairs);
  if (pairs.empty()) return std::string(gathered);
  return std::string(gathered) + "; " + std::string(pairs);
}

std::string mergeCookies(std::string& jar, std::string_view fresh) {
  std::vector<std::string> merged = cookieItems(fresh);
  // Compared with the list as it grows, so of two jar items of one name
  // only the first is kept.
  for (std::string& old : cookieItems(jar)) {
    std::string name = cookieName(old);
    bool known =
        std::any_of(merged.begin(), merged.end(), [&](const std::string& item) { return cookieName(item) == name; });
    if (!known) merged.push_back(std::move(old));
  }
  std::string joined;
  for (const std::string& item : merged) {
    if (item.ends_with("=deleted")) continue;
    joined += item + "; ";
  }
  if (!joined.empty()) joined.resize(joined.size() - 2);
  jar = removeDuplicateItems(joined, "; ");
  return jar;
}

}  // namespace talvek
