// A folder nobody had before, for files a privileged program writes into a
// folder others can write to (the temp folder): a name that exists already,
// folder, file or link, is never used, and only the principals its rights
// name may use the folder.
#pragma once

#include <string>

#include "toolkit/core/WinHandles.h"

namespace talvek {

struct FreshFolder {
  std::wstring path;  // with a closing backslash; empty when none was made
  // Open without delete sharing: while it is, nobody can rename the folder
  // or put another in its place, though everyone may write to the folder
  // above it.
  Handle held;
};

// Creates `parent` (ending with a backslash) + `stem` + the process id + a
// number, trying the next number while the name exists, with exactly the
// access `rights` (a security descriptor in the system's descriptor
// language) grants, and holds it from the moment it exists. Nothing is
// made when `rights` is not one.
FreshFolder createFreshFolder(const std::wstring& parent, const std::wstring& stem, const std::wstring& rights);

}  // namespace talvek
