// A folder made and opened in one call, with rights of its own: a folder
// made by name and then opened by name could be renamed away and another
// put in its place in between by anyone who may change the folder above.
// The handle shares no deletion, so from its first instant nobody can
// rename or remove the folder.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/core/WinHandles.h"

namespace talvek {

// A security descriptor in the system's descriptor language, made usable;
// null when the text is no descriptor.
class FolderRights {
 public:
  explicit FolderRights(const std::wstring& descriptor);
  PSECURITY_DESCRIPTOR get() const { return memory_.get(); }

 private:
  LocalMemory memory_;
};

// Makes `path` (a full path, no trailing separator) with `rights` (null:
// those its parent passes on) and returns it held with list, attribute and
// `extraAccess` rights. Null when it cannot be made; the system's error
// says why, ERROR_ALREADY_EXISTS for a name that exists.
Handle makeHeldFolder(const std::wstring& path, PSECURITY_DESCRIPTOR rights, ACCESS_MASK extraAccess = 0);

}  // namespace talvek
