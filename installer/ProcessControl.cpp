#include "installer/ProcessControl.h"

#include <tlhelp32.h>

#include <functional>

#include "installer/GbkPath.h"
#include "installer/ImageLocation.h"
#include "installer/ProcessName.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

// Calls `matches` for each process in a fresh snapshot; the id of the first
// entry it accepts, or 0.
DWORD firstProcessWhere(const std::function<bool(const PROCESSENTRY32& entry)>& matches) {
  Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (matches(entry)) return entry.th32ProcessID;
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

using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);

// Windows XP has no QueryFullProcessImageNameW; kernel32 is always loaded.
QueryImageName queryImageName() {
  static const auto query = reinterpret_cast<QueryImageName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
  return query;
}

constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION

std::wstring imagePathFromProcess(DWORD processId) {
  QueryImageName query = queryImageName();
  if (!query) return {};
  Handle process(OpenProcess(kQueryLimitedInformation, FALSE, processId));
  if (!process) process.reset(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) return {};
  wchar_t path[MAX_PATH * 4] = {};
  DWORD length = MAX_PATH * 4;
  if (!query(process.get(), 0, path, &length)) return {};
  return std::wstring(path, length);
}

// The first module of a process's module list is its executable.
std::wstring imagePathFromModules(DWORD processId) {
  Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  if (!snapshot) return {};
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  if (!Module32FirstW(snapshot.get(), &module)) return {};
  return module.szExePath;
}

std::wstring upperCase(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The folder as the system would spell a program's path in it: full, and
// with long names where it exists.
std::wstring canonicalFolder(const std::string& folder) {
  const std::wstring given = toWide(folder);
  if (given.empty()) return {};
  wchar_t full[MAX_PATH * 4] = {};
  DWORD length = GetFullPathNameW(given.c_str(), MAX_PATH * 4, full, nullptr);
  if (length == 0 || length >= MAX_PATH * 4) return {};
  wchar_t longName[MAX_PATH * 4] = {};
  DWORD longLength = GetLongPathNameW(full, longName, MAX_PATH * 4);
  if (longLength > 0 && longLength < MAX_PATH * 4) return upperCase(longName);
  return upperCase(full);
}

}  // namespace

ProcessControl::ProcessControl(const std::string& folder) : folder_(canonicalFolder(folder)) {}

bool ProcessControl::isOurs(DWORD processId) const {
  if (processId == 0 || folder_.empty()) return false;
  std::wstring image = imagePathFromProcess(processId);
  if (image.empty()) image = imagePathFromModules(processId);
  return imageLiesInFolder(upperCase(std::move(image)), folder_);
}

DWORD ProcessControl::findProcessId(const std::string& name, bool caseSensitive) const {
  return firstProcessWhere([&](const PROCESSENTRY32& entry) {
    return sameProcessName(entry.szExeFile, name, caseSensitive) && isOurs(entry.th32ProcessID);
  });
}

bool ProcessControl::processExists(const std::string& name, bool caseSensitive) const {
  return findProcessId(name, caseSensitive) != 0;
}

bool ProcessControl::stopProcess(const std::optional<std::string>& name, bool caseSensitive) const {
  DWORD id = findProcessId(name ? *name : ownExecutableName(), caseSensitive);
  // Id 0 names the idle process, which OpenProcess refuses: no match, false.
  return id != 0 && terminateById(id);
}

bool ProcessControl::stopByNameOrTitle(const std::string& name) const {
  if (name.empty()) return false;
  DWORD processId = 0;
  if (HWND window = FindWindowA(nullptr, name.c_str())) {
    GetWindowThreadProcessId(window, &processId);
    if (!isOurs(processId)) processId = 0;
  }
  if (processId == 0) {
    processId = firstProcessWhere([&](const PROCESSENTRY32& entry) {
      return sameNameIgnoringCaseMbcs(entry.szExeFile, name) && isOurs(entry.th32ProcessID);
    });
  }
  return processId != 0 && terminateById(processId);
}

}  // namespace talvek
