#include "installer/ProcessAccess.h"

#include <tlhelp32.h>

namespace talvek {
namespace {

using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);

// Windows XP has no QueryFullProcessImageNameW; kernel32 is always loaded.
QueryImageName queryImageName() {
  static const auto query = reinterpret_cast<QueryImageName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
  return query;
}

constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION

// The first module of a process's module list is its executable. The list
// is taken by id; the caller's open handle keeps that id on its process.
std::wstring imagePathFromModules(DWORD processId) {
  Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  if (!snapshot) return {};
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  if (!Module32FirstW(snapshot.get(), &module)) return {};
  return module.szExePath;
}

class SystemProcessAccess final : public ProcessAccess {
 public:
  std::vector<RunningProcess> running() const override {
    std::vector<RunningProcess> processes;
    Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
      processes.push_back({entry.th32ProcessID, entry.szExeFile});
    }
    return processes;
  }

  Handle open(DWORD processId) const override {
    // Windows XP knows only the full query right.
    Handle process(OpenProcess(PROCESS_TERMINATE | kQueryLimitedInformation, FALSE, processId));
    if (!process) process.reset(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    return process;
  }

  std::wstring imageOf(HANDLE process, DWORD processId) const override {
    if (QueryImageName query = queryImageName()) {
      wchar_t path[MAX_PATH * 4] = {};
      DWORD length = MAX_PATH * 4;
      if (query(process, 0, path, &length)) return std::wstring(path, length);
    }
    return imagePathFromModules(processId);
  }

  bool terminate(HANDLE process) const override { return TerminateProcess(process, 0) == TRUE; }
};

}  // namespace

const ProcessAccess& systemProcessAccess() {
  static const SystemProcessAccess access;
  return access;
}

}  // namespace talvek
