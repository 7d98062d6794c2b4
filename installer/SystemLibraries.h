// Libraries come from the system folder only. The installer runs elevated
// from folders anyone can write to (Downloads, %TEMP%): a library found
// beside the program or in the current folder would run with its rights.
#pragma once

#include <string>

namespace talvek {

// Narrows every later library search of the process to the system folder.
// Must run before anything loads a library: the entry point calls it.
void restrictLibrarySearchToSystemFolder();

// The full path of `fileName` in the system folder, or empty.
std::wstring systemFolderFile(const wchar_t* fileName);

}  // namespace talvek
