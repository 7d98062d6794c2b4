#include "installer/LinkSafeFiles.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "installer/PathChecks.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The handle's final name names the target of a link, not the path asked
// for. A system that cannot tell has only the attributes to go by.
bool leadsElsewhere(HANDLE handle, const std::string& relative) {
  const std::string finalName = finalPathOf(handle);
  if (finalName.empty()) return false;
  const std::string tail = "\\" + relative;
  if (finalName.size() < tail.size()) return true;
  return !samePath(finalName.substr(finalName.size() - tail.size()), tail);
}

// Folders open only with `kFolderToo`.
constexpr DWORD kFolderToo = FILE_FLAG_BACKUP_SEMANTICS;

Handle openItself(const std::string& path, DWORD access, DWORD share = kShareAll, DWORD folders = kFolderToo) {
  return Handle(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, folders | FILE_FLAG_OPEN_REPARSE_POINT,
                            nullptr));
}

std::wstring ntPath(const std::string& path) {
  if (path.rfind("\\\\", 0) == 0) return L"\\??\\UNC\\" + toWide(path.substr(2));
  return L"\\??\\" + toWide(path);
}

bool markForDeletion(HANDLE handle) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition);
}

// A read-only file refuses until its attributes are normal.
bool deleteThrough(HANDLE handle) {
  if (markForDeletion(handle)) return true;
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  return SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof basic) && markForDeletion(handle);
}

// Some systems (Wine) open a link to a file as the file it points to and
// show it as a plain file: only its final path tells.
bool isAt(HANDLE handle, const std::string& expectedFinalPath, bool folder) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return false;
  }
  if (folder != ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) return false;
  return expectedFinalPath.empty() || samePath(finalPathOf(handle), expectedFinalPath);
}

}  // namespace

std::string finalPathOf(HANDLE handle) {
  char finalName[4 * MAX_PATH];
  const DWORD length = GetFinalPathNameByHandleA(handle, finalName, sizeof finalName, 0);
  if (length == 0 || length >= sizeof finalName) return {};
  return std::string(finalName, length);
}

std::string finalPathOf(const std::string& path) {
  const Handle handle(
      CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return handle ? finalPathOf(handle.get()) : std::string();
}

LinkSafe deleteFileAt(const std::string& path, const std::string& expectedFinalPath) {
  const Handle handle = openItself(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, kShareAll, 0);
  if (!handle) return LinkSafe::Failed;
  if (!isAt(handle.get(), expectedFinalPath, false)) return LinkSafe::Link;
  return deleteThrough(handle.get()) ? LinkSafe::Done : LinkSafe::Failed;
}

LinkSafe holdFolderAt(const std::string& path, const std::string& expectedFinalPath, Handle& held) {
  Handle handle = openItself(path, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
  if (!handle) return LinkSafe::Failed;
  if (!isAt(handle.get(), expectedFinalPath, true)) return LinkSafe::Link;
  held = std::move(handle);
  return LinkSafe::Done;
}

LinkSafe deleteFolderAt(const std::string& path, const std::string& expectedFinalPath) {
  const Handle handle = openItself(path, DELETE | FILE_READ_ATTRIBUTES, kShareAll);
  if (!handle) return LinkSafe::Failed;
  if (!isAt(handle.get(), expectedFinalPath, true)) return LinkSafe::Link;
  return markForDeletion(handle.get()) ? LinkSafe::Done : LinkSafe::Failed;
}

bool reachedThroughLink(const std::string& installDir, const std::string& relative) {
  Handle handle(CreateFileA((installDir + relative).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return handle && leadsElsewhere(handle.get(), relative);
}

LinkSafe moveItself(const std::string& installDir, const std::string& relative, const std::string& target) {
  const Handle handle = openItself(installDir + relative, DELETE);
  if (!handle) return LinkSafe::Failed;
  if (leadsElsewhere(handle.get(), relative)) return LinkSafe::Link;
  const std::wstring name = ntPath(target);
  // The name ends in a null as well: some systems read it up to that.
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t), 0);
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  name.copy(info->FileName, name.size());
  const bool moved =
      SetFileInformationByHandle(handle.get(), FileRenameInfo, info, static_cast<DWORD>(buffer.size()));
  return moved ? LinkSafe::Done : LinkSafe::Failed;
}

LinkSafe deleteItself(const std::string& installDir, const std::string& relative) {
  const Handle handle = openItself(installDir + relative, DELETE | FILE_WRITE_ATTRIBUTES, kShareAll, 0);
  if (!handle) return LinkSafe::Failed;
  if (leadsElsewhere(handle.get(), relative)) return LinkSafe::Link;
  return deleteThrough(handle.get()) ? LinkSafe::Done : LinkSafe::Failed;
}

LinkSafe holdFolder(const std::string& installDir, const std::string& relative, Handle& held) {
  // The system keeps a handle's sharing only when it may read or write;
  // reading the listing is enough, and sharing without deletion is the hold.
  Handle handle = openItself(installDir + relative, FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!handle || !GetFileInformationByHandle(handle.get(), &info)) return LinkSafe::Failed;
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || leadsElsewhere(handle.get(), relative)) {
    return LinkSafe::Link;
  }
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return LinkSafe::Failed;
  }
  held = std::move(handle);
  return LinkSafe::Done;
}

}  // namespace talvek
