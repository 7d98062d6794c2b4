// Pins a file to the taskbar through the shell's own verb for it.
#pragma once

#include <string>

namespace talvek {

class TaskbarPin {
 public:
  // Finds the file's verb named like the shell's pin-to-taskbar verb in the
  // system's language and invokes it. A missing folder, file, verb or verb
  // name does nothing.
  static void pin(const std::string& directory, const std::string& fileName);
  // Invokes every verb of the file whose display name is verbName; returns
  // how many verbs the file offered, or -1 when they cannot be listed.
  static int invokeVerb(const std::string& directory, const std::string& fileName,
                        const std::wstring& verbName);
  // The display name of the pin verb, empty when the system has none.
  static std::wstring pinVerbName();
};

}  // namespace talvek
