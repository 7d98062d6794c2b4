#include "installer/InstallPathRules.h"

#include "installer/GbkPath.h"
#include "installer/GbkText.h"

namespace talvek {
namespace {

constexpr unsigned char kFullWidthRow = 0xA3;  // full-width ASCII, A3A1..A3FE
constexpr unsigned char kSymbolRow = 0xA1;     // A1A1 is the full-width space

// Full-width forms become the ASCII characters they stand for.
std::string foldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    auto lead = static_cast<unsigned char>(text[i]);
    auto trail = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (lead == kFullWidthRow && trail >= 0xA1 && trail <= 0xFE) {
      folded += static_cast<char>(trail - 0x80);
      ++i;
    } else if (lead == kSymbolRow && trail == 0xA1) {
      folded += ' ';
      ++i;
    } else {
      folded += static_cast<char>(lead);
      if (lead >= 0x80 && i + 1 < text.size()) folded += text[++i];
    }
  }
  return folded;
}

}  // namespace

bool containsChinese(std::string_view text) {
  const std::string folded = foldFullWidth(text);
  for (size_t i = 0; i < folded.size(); ++i) {
    auto lead = static_cast<unsigned char>(folded[i]);
    if (lead < 0x80) continue;
    if (i + 1 >= folded.size()) return false;
    auto trail = static_cast<unsigned char>(folded[++i]);
    if (lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE) return true;
  }
  return false;
}

std::string folderDialogResult(std::string_view chosenFolder) {
  std::string result(chosenFolder);
  result += endsWithSeparator(chosenFolder) ? "Talvek\\" : "\\Talvek\\";
  return result;
}

std::string defaultInstallDirectory(const std::optional<std::string>& programFiles) {
  return programFiles.value_or("") + "\\Talvek\\";
}

}  // namespace talvek
