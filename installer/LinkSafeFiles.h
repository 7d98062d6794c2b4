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

}  // namespace talvek
