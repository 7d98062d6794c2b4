// Whether a path names something on disk, and whether two paths are one,
// for the installer's file and registry steps.
#pragma once

#include <windows.h>

#include <string>

namespace talvek {

inline bool pathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool isDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Windows paths do not tell letter case apart.
inline bool samePath(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

}  // namespace talvek
