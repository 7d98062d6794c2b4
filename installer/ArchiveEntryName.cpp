#include "installer/ArchiveEntryName.h"

#include <vector>

#include "installer/GbkText.h"

namespace talvek {
namespace {

// Splits at '/' and '\\' outside two-byte characters; nothing when a colon
// appears (drive letters and alternate data streams alike).
std::optional<std::vector<std::string>> splitComponents(std::string_view name) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < name.size(); ++i) {
    auto c = static_cast<unsigned char>(name[i]);
    if (gbkCharLength(name, i) == 2) {
      parts.back() += name.substr(i, 2);
      ++i;
    } else if (c == '/' || c == '\\') {
      parts.emplace_back();
    } else if (c == ':' || c == 0) {
      return std::nullopt;
    } else {
      parts.back() += static_cast<char>(c);
    }
  }
  return parts;
}

}  // namespace

std::optional<std::string> safeRelativePath(std::string_view entryName) {
  auto parts = splitComponents(entryName);
  if (!parts || entryName.empty()) return std::nullopt;
  // A leading separator makes the name absolute.
  if (parts->front().empty()) return std::nullopt;

  std::vector<std::string> kept;
  for (const std::string& part : *parts) {
    if (part == "..") return std::nullopt;
    // "a//b" and "a/./b" stay inside.
    if (!part.empty() && part != ".") kept.push_back(part);
  }
  if (kept.empty()) return std::nullopt;

  // Joined explicitly: a path may end in a trail byte that equals '\\'.
  std::string path = kept.front();
  for (size_t i = 1; i < kept.size(); ++i) path += '\\' + kept[i];
  // A trailing separator marks a directory entry.
  const std::string& last = parts->back();
  if (last.empty() || last == ".") path += '\\';
  return path;
}

}  // namespace talvek
