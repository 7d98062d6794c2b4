// What ProcessControl asks of the system about running processes. A process
// is opened once and then only asked through that handle: while it is held
// the process's id cannot pass to another process, so what was checked is
// what gets ended.
#pragma once

#include <string>
#include <vector>

#include "toolkit/core/WinHandles.h"

namespace talvek {

struct RunningProcess {
  DWORD id = 0;
  std::string exeName;  // in the system code page, as the process list spells it
};

class ProcessAccess {
 public:
  // Every running process, in the system's order.
  virtual std::vector<RunningProcess> running() const = 0;
  // A handle with the rights to read the process's image and to end it;
  // empty when either is refused.
  virtual Handle open(DWORD processId) const = 0;
  // The image path of the process `process` (opened by `processId`), or
  // empty when it cannot be read.
  virtual std::wstring imageOf(HANDLE process, DWORD processId) const = 0;
  virtual bool terminate(HANDLE process) const = 0;

 protected:
  ~ProcessAccess() = default;
};

const ProcessAccess& systemProcessAccess();

}  // namespace talvek
