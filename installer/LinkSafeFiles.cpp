#include "installer/LinkSafeFiles.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "installer/GbkPath.h"
#include "installer/NativeFunction.h"
#include "installer/PathChecks.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Folders open only with `kFolderToo`.
constexpr DWORD kFolderToo = FILE_FLAG_BACKUP_SEMANTICS;

Handle openItself(const std::string& path, DWORD access, DWORD share = kShareAll, DWORD folders = kFolderToo) {
  return Handle(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, folders | FILE_FLAG_OPEN_REPARSE_POINT,
                            nullptr));
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
// show it as a plain file: only its final path tells. An empty expectation
// checks only that the entry is no link itself.
bool isPlainAt(HANDLE handle, const std::string& expectedFinalPath, bool folder) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return false;
  }
  if (folder != ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) return false;
  return expectedFinalPath.empty() || samePath(finalPathOf(handle), expectedFinalPath);
}

std::string withoutTrailingSeparator(std::string path) {
  while (endsWithSeparator(path)) path.pop_back();
  return path;
}

// The native call takes a name relative to a folder handle; the documented
// one turns every name into a full path first.
using SetInformationFile = LONG(WINAPI*)(HANDLE, void* status, void* information, ULONG length, int informationClass);
using StatusToError = ULONG(WINAPI*)(LONG status);
constexpr int kFileRenameInformation = 10;

bool renameInto(HANDLE handle, HANDLE targetFolder, const std::string& targetName) {
  static const auto setInformation = nativeFunction<SetInformationFile>("NtSetInformationFile");
  static const auto statusToError = nativeFunction<StatusToError>("RtlNtStatusToDosError");
  const std::wstring name = toWide(targetName);
  if (!setInformation || !statusToError || !targetFolder || name.empty()) {
    SetLastError(ERROR_INVALID_FUNCTION);
    return false;
  }
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t), 0);
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->RootDirectory = targetFolder;
  info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  name.copy(info->FileName, name.size());
  struct {
    LONG status;
    ULONG_PTR information;
  } io{};
  const LONG status = setInformation(handle, &io, info, static_cast<ULONG>(buffer.size()), kFileRenameInformation);
  if (status >= 0) return true;
  SetLastError(statusToError(status));
  return false;
}

}  // namespace

std::optional<FolderRoot> FolderRoot::of(const std::string& path) {
  FolderRoot root;
  Handle held;
  if (holdRoot(path, root, held) != LinkSafe::Done) return std::nullopt;
  return root;
}

LinkSafe holdRoot(const std::string& path, FolderRoot& root, Handle& held, unsigned long extraAccess) {
  Handle handle =
      openItself(path, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | extraAccess, FILE_SHARE_READ | FILE_SHARE_WRITE);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!handle || !GetFileInformationByHandle(handle.get(), &info)) return LinkSafe::Failed;
  // Some systems (Wine) open what a link points to and show the link only
  // in its folder's listing: the name is asked too.
  const std::string named = withoutTrailingSeparator(path);
  const DWORD listed =
      named.empty() || named.back() == ':' ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(named.c_str());
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
      (listed != INVALID_FILE_ATTRIBUTES && (listed & FILE_ATTRIBUTE_REPARSE_POINT))) {
    return LinkSafe::Link;
  }
  const std::string finalPath = finalPathOf(handle.get());
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || finalPath.empty()) {
    SetLastError(ERROR_DIRECTORY);
    return LinkSafe::Failed;
  }
  root = {withTrailingSeparator(path), withTrailingSeparator(finalPath)};
  held = std::move(handle);
  return LinkSafe::Done;
}

std::string finalPathOf(HANDLE handle) {
  char name[4 * MAX_PATH];
  const DWORD length = GetFinalPathNameByHandleA(handle, name, sizeof name, 0);
  if (length == 0 || length >= sizeof name) return {};
  std::string path(name, length);
  if (path.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + path.substr(8);
  if (path.rfind("\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

bool isAt(HANDLE handle, const FolderRoot& root, const std::string& relative) {
  const std::string found = finalPathOf(handle);
  return !found.empty() && !root.finalPath.empty() &&
         samePath(found, withoutTrailingSeparator(root.finalPath + relative));
}

std::string finalPathOf(const std::string& path) {
  const Handle handle(
      CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return handle ? finalPathOf(handle.get()) : std::string();
}

LinkSafe deleteFileAt(const std::string& path, const std::string& expectedFinalPath) {
  const Handle handle = openItself(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, kShareAll, 0);
  if (!handle) return LinkSafe::Failed;
  if (!isPlainAt(handle.get(), expectedFinalPath, false)) return LinkSafe::Link;
  return deleteThrough(handle.get()) ? LinkSafe::Done : LinkSafe::Failed;
}

LinkSafe holdFolderAt(const std::string& path, const std::string& expectedFinalPath, Handle& held) {
  Handle handle = openItself(path, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
  if (!handle) return LinkSafe::Failed;
  if (!isPlainAt(handle.get(), expectedFinalPath, true)) return LinkSafe::Link;
  held = std::move(handle);
  return LinkSafe::Done;
}

LinkSafe deleteFolderAt(const std::string& path, const std::string& expectedFinalPath) {
  const Handle handle = openItself(path, DELETE | FILE_READ_ATTRIBUTES, kShareAll);
  if (!handle) return LinkSafe::Failed;
  if (!isPlainAt(handle.get(), expectedFinalPath, true)) return LinkSafe::Link;
  return markForDeletion(handle.get()) ? LinkSafe::Done : LinkSafe::Failed;
}

bool reachedThroughLink(const FolderRoot& root, const std::string& relative) {
  Handle handle(CreateFileA((root.path + relative).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return handle && !isAt(handle.get(), root, relative);
}

LinkSafe moveItself(const FolderRoot& root, const std::string& relative, HANDLE targetFolder,
                    const std::string& targetName) {
  const Handle handle = openItself(root.path + relative, DELETE | FILE_READ_ATTRIBUTES);
  if (!handle) return LinkSafe::Failed;
  if (!isAt(handle.get(), root, relative)) return LinkSafe::Link;
  return renameInto(handle.get(), targetFolder, targetName) ? LinkSafe::Done : LinkSafe::Failed;
}

LinkSafe deleteItself(const FolderRoot& root, const std::string& relative) {
  return deleteFileAt(root.path + relative, withoutTrailingSeparator(root.finalPath + relative));
}

LinkSafe holdFolder(const FolderRoot& root, const std::string& relative, Handle& held, unsigned long extraAccess) {
  // The system keeps a handle's sharing only when it may read or write;
  // reading the listing is enough, and sharing without deletion is the hold.
  Handle handle = openItself(root.path + relative, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | extraAccess,
                             FILE_SHARE_READ | FILE_SHARE_WRITE);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!handle || !GetFileInformationByHandle(handle.get(), &info)) return LinkSafe::Failed;
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !isAt(handle.get(), root, relative)) {
    return LinkSafe::Link;
  }
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return LinkSafe::Failed;
  }
  held = std::move(handle);
  return LinkSafe::Done;
}

bool deleteHeld(HANDLE handle) { return markForDeletion(handle); }

}  // namespace talvek
