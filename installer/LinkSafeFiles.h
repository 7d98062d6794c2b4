// Moving and deleting paths below an installation folder without ever
// acting on what a link there points to. Wine shows a Unix link to a file
// as a plain file, and moving or deleting it by name acts on its target; a
// handle's final name tells it apart there and on Windows alike. Each path
// is checked and acted on through the same handle: what is acted on is what
// was checked, whatever takes the path's place in between. A move names
// its target through a held folder's handle, never by a path the system
// would resolve again.
#pragma once

#include <optional>
#include <string>

#include "toolkit/core/WinHandles.h"

namespace talvek {

enum class LinkSafe { Done, Link, Failed };

// A folder that paths below it are named from and checked against: its
// path as given, and where the system said it lies when it was opened,
// whole. Both end in a separator.
struct FolderRoot {
  std::string path;
  std::string finalPath;

  // Opens `path` (a folder, itself not a link) once to learn where it lies.
  static std::optional<FolderRoot> of(const std::string& path);
};

// Opens the folder `path` into `held` when it is a plain folder and not a
// link itself, and tells where it lies into `root`. Link or Failed, as for
// `holdFolder`.
LinkSafe holdRoot(const std::string& path, FolderRoot& root, Handle& held, unsigned long extraAccess = 0);

// Where the file or folder of `handle` lies, whole, as a drive or share
// path without a trailing separator; empty when the system cannot tell.
std::string finalPathOf(HANDLE handle);

// True when `handle` is `root` + `relative` itself: the whole final path
// is compared, so a link anywhere on the way shows.
bool isAt(HANDLE handle, const FolderRoot& root, const std::string& relative);

// True when opening `root` + `relative` leads elsewhere.
bool reachedThroughLink(const FolderRoot& root, const std::string& relative);

// Moves a file or folder below `root` into the folder held by
// `targetFolder`, as `targetName` there. Nothing is moved that is not
// where it was named (a link on its way or itself one), and nothing is
// replaced at the target.
LinkSafe moveItself(const FolderRoot& root, const std::string& relative, HANDLE targetFolder,
                    const std::string& targetName);

// Deletes a file, a read-only one too; a link is left alone, and a folder
// (empty or not) fails, as it does to delete by name.
LinkSafe deleteItself(const FolderRoot& root, const std::string& relative);

// Opens a folder into `held` when it is a plain folder where it was named:
// while the handle lives nobody can rename or remove the folder, so no link
// can take its place. Link for a junction or symbolic link, or a folder
// reached through one; Failed when it cannot be opened or is no folder.
// `extraAccess` adds rights (DELETE, to remove it through this handle).
LinkSafe holdFolder(const FolderRoot& root, const std::string& relative, Handle& held, unsigned long extraAccess = 0);

// The same for a walk that holds each folder it enters and knows the
// whole final path of each (the remover's): what `path` opens must be
// `expectedFinalPath` in whole. An empty expectation checks only that the
// entry is no link itself.
std::string finalPathOf(const std::string& path);
// Deletes a file, a read-only one too. Link for a link or a path that leads
// elsewhere; Failed, with the system's error, when it cannot be opened (a
// folder cannot) or deleted.
LinkSafe deleteFileAt(const std::string& path, const std::string& expectedFinalPath);
// Opens a folder into `held` to be read, not deleted or renamed by anyone
// while the handle lives. Link and Failed as for holdFolder.
LinkSafe holdFolderAt(const std::string& path, const std::string& expectedFinalPath, Handle& held);
// Deletes an empty folder; Failed with the system's error when it cannot
// be opened or is not empty. A hold by holdFolderAt must end first: it
// shares no deletion, not even with this process.
LinkSafe deleteFolderAt(const std::string& path, const std::string& expectedFinalPath);

// Deletes the file or empty folder of a handle opened with DELETE, once
// the handle is closed; false, with the system's error, when it cannot be
// (a folder that is not empty).
bool deleteHeld(HANDLE handle);

}  // namespace talvek
