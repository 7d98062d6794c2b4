#include "installer/ProcessControl.h"

#include <tlhelp32.h>

#include <functional>

#include "installer/GbkPath.h"
#include "installer/ProcessName.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

// Calls `matches` for each process in a fresh snapshot; the id of the first
// entry it accepts, or 0.
DWORD firstProcessWhere(const std::function<bool(const char* exeName)>& matches) {
  Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (matches(entry.szExeFile)) return entry.th32ProcessID;
  }
  return 0;
}

bool terminateById(DWORD processId) {
  Handle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
  if (!process) return false;
  return TerminateProcess(process.get(), 0) == TRUE;
}

std::string ownExecutableName() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(fileNamePart(std::string_view(path, length)));
}

bool sameNameIgnoringCaseMbcs(const char* a, const std::string& b) {
  return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a, -1, b.c_str(), -1) ==
         CSTR_EQUAL;
}

}  // namespace

DWORD findProcessId(const std::string& name, bool caseSensitive) {
  return firstProcessWhere(
      [&](const char* exe) { return sameProcessName(exe, name, caseSensitive); });
}

bool processExists(const std::string& name, bool caseSensitive) {
  return findProcessId(name, caseSensitive) != 0;
}

bool stopProcess(const std::optional<std::string>& name, bool caseSensitive) {
  DWORD id = findProcessId(name ? *name : ownExecutableName(), caseSensitive);
  // Id 0 names the idle process, which OpenProcess refuses: no match, false.
  return id != 0 && terminateById(id);
}

bool stopByNameOrTitle(const std::string& name) {
  if (name.empty()) return false;
  DWORD processId = 0;
  if (HWND window = FindWindowA(nullptr, name.c_str())) {
    GetWindowThreadProcessId(window, &processId);
  } else {
    processId = firstProcessWhere([&](const char* exe) { return sameNameIgnoringCaseMbcs(exe, name); });
  }
  return processId != 0 && terminateById(processId);
}

}  // namespace talvek
