#include "installer/ShortcutRules.h"

#include <vector>

#include "installer/GbkText.h"

namespace talvek {
namespace {

// Start offsets of each character, so searches never match inside a
// two-byte character.
std::vector<size_t> characterStarts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); i += gbkCharLength(text, i)) starts.push_back(i);
  return starts;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool containsIgnoringCase(std::string_view text, std::string_view needle) {
  for (size_t start : characterStarts(text)) {
    if (text.size() - start < needle.size()) break;
    bool match = true;
    for (size_t j = 0; j < needle.size() && match; ++j) match = lowerAscii(text[start + j]) == lowerAscii(needle[j]);
    if (match) return true;
  }
  return false;
}

// Positions of the real separators ('\\' that is not a trail byte).
std::vector<size_t> separatorPositions(std::string_view text) {
  std::vector<size_t> positions;
  for (size_t start : characterStarts(text)) {
    if (text[start] == '\\') positions.push_back(start);
  }
  return positions;
}

std::string_view fileNamePart(std::string_view path) {
  auto separators = separatorPositions(path);
  return separators.empty() ? path : path.substr(separators.back() + 1);
}

}  // namespace

std::string desktopLinkPath(std::string_view folder, std::string_view name) {
  std::string_view file = fileNamePart(name);
  std::string path = std::string(folder) + std::string(file);
  if (!containsIgnoringCase(file, ".lnk")) path += ".lnk";
  return path;
}

std::optional<std::string> workingDirectoryOf(std::string_view target) {
  auto separators = separatorPositions(target);
  if (separators.empty()) return std::nullopt;
  return std::string(target.substr(0, separators.back() + 1));
}

std::string iconLocationFor(std::string_view target, const std::optional<std::string>& given) {
  if (given) return *given;
  // As the shell sees extensions: the last dot of the file name, unless a
  // space follows it.
  std::string_view file = fileNamePart(target);
  bool hasExtension = false;
  for (size_t start : characterStarts(file)) {
    if (file[start] == '.') hasExtension = true;
    if (file[start] == ' ') hasExtension = false;
  }
  return hasExtension ? std::string(target) + ",0" : "SHELL32.dll,4";
}

}  // namespace talvek
