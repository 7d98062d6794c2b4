#include "installer/InstallTreeRemoval.h"

#include <windows.h>

#include "installer/BoundedRepeat.h"
#include "installer/PathChecks.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr int kDeleteAttempts = 30;
constexpr DWORD kDeleteRetryMs = 100;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Looked up, not imported: the uninstaller still starts where they are missing.
using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
using SetInformationFunction = BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);

template <typename Function>
Function kernelFunction(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

// Where opening `path` really leads, every link followed; empty when the
// system cannot tell.
std::string finalPathOf(const std::string& path) {
  static const auto finalPath = kernelFunction<FinalPathFunction>("GetFinalPathNameByHandleA");
  if (!finalPath) return {};
  Handle entry(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!entry) return {};
  char buffer[4 * MAX_PATH];
  const DWORD length = finalPath(entry.get(), buffer, sizeof buffer, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length == 0 || length >= sizeof buffer) return {};
  return std::string(buffer, length);
}

// Some systems (Wine among them) show a link to a file as a plain file and
// act on its target when asked to delete it: an entry counts as the
// folder's own only when it resolves to where it was found.
bool leadsElsewhere(const WIN32_FIND_DATAA& entry, const std::string& path, const std::string& expectedFinalPath) {
  if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
  if (expectedFinalPath.empty()) return false;  // the system cannot tell; the attribute has to do
  const std::string finalPath = finalPathOf(path);
  return finalPath.empty() || !samePath(finalPath, expectedFinalPath);
}

// Only through a handle on the link itself, never on what it points to; a
// system that cannot open the link itself keeps it.
void removeLinkItself(const std::string& path) {
  static const auto setInformation = kernelFunction<SetInformationFunction>("SetFileInformationByHandle");
  if (!setInformation) return;
  Handle link(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                          FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION opened{};
  if (!link || !GetFileInformationByHandle(link.get(), &opened)) return;
  if (!(opened.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return;
  FILE_DISPOSITION_INFO disposition{TRUE};
  setInformation(link.get(), FileDispositionInfo, &disposition, sizeof disposition);
}

void removeBelow(const std::string& dir, const std::string& dirFinalPath, const std::string& keepFile) {
  WIN32_FIND_DATAA entry;
  FindHandle search(FindFirstFileA((dir + "*").c_str(), &entry));
  if (!search) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = dir + name;
    const std::string finalPath = dirFinalPath.empty() ? std::string() : dirFinalPath + "\\" + name;
    if (leadsElsewhere(entry, path, finalPath)) {
      removeLinkItself(path);
    } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      removeBelow(path + "\\", finalPath, keepFile);
      deleteWithRetry(path, true);
    } else if (!samePath(path, keepFile)) {
      deleteWithRetry(path, false);
    }
  } while (FindNextFileA(search.get(), &entry));
}

}  // namespace

void removeTreeBelow(const std::string& dir, const std::string& keepFile) {
  removeBelow(dir, finalPathOf(dir.substr(0, dir.size() - 1)), keepFile);
}

bool deleteWithRetry(const std::string& path, bool directory) {
  auto remove = [&] { return directory ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str()); };
  if (remove()) return true;
  SetFileAttributesA(path.c_str(), directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL);
  repeatWhileBounded([&] { return !remove() && pathExists(path); }, [] { Sleep(kDeleteRetryMs); }, kDeleteAttempts);
  return !pathExists(path);
}

}  // namespace talvek
