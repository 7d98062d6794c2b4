// A folder nobody had before, for files a privileged program writes into a
// folder others can write to (the temp folder): a name that exists already,
// folder, file or link, is never used.
#pragma once

#include <string>

namespace talvek {

// Creates `parent` (ending with a backslash) + `stem` + the process id + a
// number, trying the next number while the name exists. Returns the new
// folder with a closing backslash, or empty when none could be made.
std::wstring createFreshFolder(const std::wstring& parent, const std::wstring& stem);

}  // namespace talvek
