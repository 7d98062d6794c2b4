// Moving and deleting paths below an installation folder without ever
// acting on what a link there points to. Wine shows a Unix link to a file
// as a plain file, and moving or deleting it by name acts on its target; a
// handle's final name tells it apart there and on Windows alike. Each path
// is checked and acted on through the same handle: what is acted on is what
// was checked, whatever takes the path's place in between.
#pragma once

#include <string>

#include "toolkit/core/WinHandles.h"

namespace talvek {

enum class LinkSafe { Done, Link, Failed };

// True when opening `installDir` + `relative` leads elsewhere.
bool reachedThroughLink(const std::string& installDir, const std::string& relative);

// Moves a file or folder to `target` (a full path on the same volume). A
// link is never moved where the system shows it as a plain file; where the
// system opens a link as such, the link itself moves.
LinkSafe moveItself(const std::string& installDir, const std::string& relative, const std::string& target);

// Deletes a file, a read-only one too; a link is left alone, and a folder
// (empty or not) fails, as it does to delete by name.
LinkSafe deleteItself(const std::string& installDir, const std::string& relative);

// Opens a folder into `held` when it is a plain folder of its own name:
// while the handle lives nobody can rename or remove the folder, so no link
// can take its place. Link for a junction or symbolic link, or a folder
// reached through one; Failed when it cannot be opened or is no folder.
LinkSafe holdFolder(const std::string& installDir, const std::string& relative, Handle& held);

// The same for a walk that holds each folder it enters and knows the
// whole final path of each (the remover's): what `path` opens must be
// `expectedFinalPath` in whole, not only at its end. An empty expectation
// checks only that the entry is no link itself.

// The whole final path of what `handle` is open on ("\\?\C:\..."), every
// link followed; empty when the system cannot tell.
std::string finalPathOf(HANDLE handle);
// The same for a path, opened following links; empty when it cannot be
// opened.
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

}  // namespace talvek
