#include "installer/ImageLocation.h"

namespace talvek {
namespace {

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

wchar_t folded(wchar_t c) {
  if (c == L'/') return L'\\';
  return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

std::wstring_view withoutDevicePrefix(std::wstring_view path) {
  for (std::wstring_view prefix : {std::wstring_view(L"\\\\?\\"), std::wstring_view(L"\\??\\")}) {
    if (path.substr(0, prefix.size()) == prefix) return path.substr(prefix.size());
  }
  return path;
}

// "C:", "C:\..." or "\\server\...", closing separators already gone: a
// relative folder would match by chance.
bool isAbsoluteFolder(std::wstring_view folder) {
  if (folder.size() >= 2 && folder[1] == L':') return folder.size() == 2 || isSeparator(folder[2]);
  return folder.size() >= 3 && isSeparator(folder[0]) && isSeparator(folder[1]) && !isSeparator(folder[2]);
}

}  // namespace

bool imageLiesInFolder(std::wstring_view imagePath, std::wstring_view folder) {
  imagePath = withoutDevicePrefix(imagePath);
  folder = withoutDevicePrefix(folder);
  while (!folder.empty() && isSeparator(folder.back())) folder.remove_suffix(1);
  if (!isAbsoluteFolder(folder)) return false;
  // The folder, a separator, and at least one character of a name.
  if (imagePath.size() < folder.size() + 2 || !isSeparator(imagePath[folder.size()])) return false;
  for (size_t i = 0; i < folder.size(); ++i) {
    if (folded(imagePath[i]) != folded(folder[i])) return false;
  }
  return !isSeparator(imagePath.back());
}

}  // namespace talvek
