// Deleting an installation's files without reaching through links. Anyone
// who can write into the installation folder can put a symbolic link or a
// junction there; the uninstaller runs with more rights than they have, so
// it deletes only what lies in the folder itself.
#pragma once

#include <string>

namespace talvek {

// Deletes everything below `dir` (ending with a backslash) but `keepFile`.
// An entry that leads somewhere else (a link or junction, or on systems that
// do not mark links, one that resolves to another place) is never entered;
// it is removed only where the system can remove the link itself, else it
// stays, and so does the folder holding it.
void removeTreeBelow(const std::string& dir, const std::string& keepFile);

// Deletes a file or an empty folder, retrying briefly: a program that was
// just ended may still hold its files for a moment.
bool deleteWithRetry(const std::string& path, bool directory);

}  // namespace talvek
