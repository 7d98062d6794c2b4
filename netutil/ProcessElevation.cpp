#include "netutil/ProcessElevation.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "toolkit/core/WinHandles.h"

namespace talvek {

std::string ProcessElevation::ownProgramPath() {
  std::vector<char> buffer(MAX_PATH);
  while (true) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::string(buffer.data(), length);
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

bool ProcessElevation::runElevated(const std::optional<std::string>& programPath,
                                   const std::string& parameters) {
  std::string program = programPath && !programPath->empty() ? *programPath : ownProgramPath();
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOASYNC;
  info.lpVerb = "runas";
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWDEFAULT;
  return ShellExecuteExA(&info) != FALSE;
}

bool ProcessElevation::isUserAdmin() { return IsUserAnAdmin() == TRUE; }

// The handle is closed again: held open it would keep the mutex alive after
// the program that created it has ended, and every later check would say yes.
bool ProcessElevation::isProgramRunning() {
  std::string path = ownProgramPath();
  std::string fileName = path.substr(path.find_last_of("\\/") + 1);
  Handle mutex(OpenMutexA(READ_CONTROL, FALSE, fileName.c_str()));
  return static_cast<bool>(mutex);
}

}  // namespace talvek
