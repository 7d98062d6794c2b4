#include "installer/GbkPath.h"

#include "installer/GbkText.h"

namespace talvek {

std::vector<std::size_t> separatorOffsets(std::string_view path) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < path.size(); i += gbkCharLength(path, i)) {
    if (gbkCharLength(path, i) == 1 && (path[i] == '\\' || path[i] == '/')) offsets.push_back(i);
  }
  return offsets;
}

bool endsWithSeparator(std::string_view path) {
  std::vector<std::size_t> offsets = separatorOffsets(path);
  return !offsets.empty() && offsets.back() + 1 == path.size();
}

std::string withTrailingSeparator(std::string path) {
  if (!path.empty() && !endsWithSeparator(path)) path += '\\';
  return path;
}

std::string parentDirectory(std::string_view path) {
  std::vector<std::size_t> offsets = separatorOffsets(path);
  if (!offsets.empty() && offsets.back() + 1 == path.size()) offsets.pop_back();
  return offsets.empty() ? std::string() : std::string(path.substr(0, offsets.back()));
}

std::string_view fileNamePart(std::string_view path) {
  std::vector<std::size_t> offsets = separatorOffsets(path);
  return offsets.empty() ? path : path.substr(offsets.back() + 1);
}

}  // namespace talvek
