#include "installer/ProcessControl.h"

#include "installer/GbkPath.h"
#include "installer/ImageLocation.h"
#include "installer/ProcessName.h"
#include "toolkit/core/CodePage.h"

namespace talvek {
namespace {

std::string ownExecutableName() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(fileNamePart(std::string_view(path, length)));
}

bool sameNameIgnoringCaseMbcs(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
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

ProcessControl::ProcessControl(const std::string& folder, const ProcessAccess& access)
    : folder_(canonicalFolder(folder)), access_(access) {}

Handle ProcessControl::openIfOurs(DWORD processId) const {
  // Id 0 names the idle process, which is never ours.
  if (processId == 0 || folder_.empty()) return {};
  Handle process = access_.open(processId);
  if (!process || !imageLiesInFolder(upperCase(access_.imageOf(process.get(), processId)), folder_)) return {};
  return process;
}

ProcessControl::Opened ProcessControl::openFirstOurs(const std::function<bool(const RunningProcess&)>& matches) const {
  for (const RunningProcess& entry : access_.running()) {
    if (!matches(entry)) continue;
    if (Handle process = openIfOurs(entry.id)) return {entry.id, std::move(process)};
  }
  return {};
}

ProcessControl::Opened ProcessControl::openFirstNamed(const std::string& name, bool caseSensitive) const {
  return openFirstOurs(
      [&](const RunningProcess& entry) { return sameProcessName(entry.exeName, name, caseSensitive); });
}

DWORD ProcessControl::findProcessId(const std::string& name, bool caseSensitive) const {
  return openFirstNamed(name, caseSensitive).id;
}

bool ProcessControl::processExists(const std::string& name, bool caseSensitive) const {
  return findProcessId(name, caseSensitive) != 0;
}

bool ProcessControl::stopProcess(const std::optional<std::string>& name, bool caseSensitive) const {
  const Opened found = openFirstNamed(name ? *name : ownExecutableName(), caseSensitive);
  return found.process && access_.terminate(found.process.get());
}

bool ProcessControl::stopByNameOrTitle(const std::string& name) const {
  if (name.empty()) return false;
  Handle process;
  if (HWND window = FindWindowA(nullptr, name.c_str())) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    process = openIfOurs(owner);
  }
  if (!process) {
    process = openFirstOurs([&](const RunningProcess& entry) {
                return sameNameIgnoringCaseMbcs(entry.exeName, name);
              }).process;
  }
  return process && access_.terminate(process.get());
}

}  // namespace talvek
