// Ending the product's running programs before their files are replaced.
// Every stop is abrupt (TerminateProcess, exit code 0) and reports only
// whether a process was ended. Only our own programs are touched: a process
// counts when its image lies in the installation folder, so another
// program that merely shares a name (or a window title) keeps running, and
// so does one whose image path cannot be read. A process is checked and
// ended through one handle, so an id that passes to another process in
// between cannot turn the check onto one process and the end onto another.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "installer/ProcessAccess.h"

namespace talvek {

class ProcessControl {
 public:
  // `folder`: the installation folder, in the system code page.
  explicit ProcessControl(const std::string& folder, const ProcessAccess& access = systemProcessAccess());

  // Id of the first of our processes whose executable name matches, or 0.
  DWORD findProcessId(const std::string& name, bool caseSensitive = false) const;

  bool processExists(const std::string& name, bool caseSensitive = false) const;

  // Ends the first matching process; a second one of that name keeps
  // running. Without a name, this program's own executable name is used.
  bool stopProcess(const std::optional<std::string>& name = std::nullopt, bool caseSensitive = false) const;

  // Our program owning a top-level window titled exactly `name` wins over
  // the process name; a window of anyone else's is passed over.
  bool stopByNameOrTitle(const std::string& name) const;

 private:
  struct Opened {
    DWORD id = 0;
    Handle process;
  };

  // The process, opened, when its image lies in the folder; else empty.
  Handle openIfOurs(DWORD processId) const;
  // The first of our processes whose list entry `matches`.
  Opened openFirstOurs(const std::function<bool(const RunningProcess&)>& matches) const;
  Opened openFirstNamed(const std::string& name, bool caseSensitive) const;

  std::wstring folder_;
  const ProcessAccess& access_;
};

}  // namespace talvek
