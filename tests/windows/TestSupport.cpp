#include "tests/windows/TestSupport.h"

#include <shellapi.h>

#include <fstream>
#include <iterator>

namespace talvek::test {

std::string testDataDir() {
  char path[MAX_PATH] = {};
  std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return exe.substr(0, exe.find_last_of('\\') + 1);
}

std::string readFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool writeFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool directoryExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ScratchDir::ScratchDir() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  path_ = std::string(temp) + "talvek-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter) + "\\";
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() {
  // SHFileOperation wants a double-terminated list and no trailing separator.
  std::string from = path_.substr(0, path_.size() - 1);
  from.push_back('\0');
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  SHFileOperationA(&op);
}

StartedProgram::StartedProgram(const std::string& exePath, const std::string& arguments) {
  std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
  std::string dir = exePath.substr(0, exePath.find_last_of('\\') + 1);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                      &startup, &info_)) {
    info_ = {};
    return;
  }
  // The program is in the snapshot from here on; wait for its window too.
  WaitForInputIdle(info_.hProcess, 5000);
}

StartedProgram::~StartedProgram() {
  if (!info_.hProcess) return;
  if (isRunning()) {
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hProcess);
  CloseHandle(info_.hThread);
}

bool StartedProgram::isRunning() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool StartedProgram::waitForExit(DWORD ms) const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD StartedProgram::exitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

namespace {

// Wine's own name for a path on the host; empty elsewhere.
std::string hostPath(const std::string& path) {
  using UnixName = char*(CDECL*)(const WCHAR*);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return {};
  std::wstring wide(MAX_PATH, L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), MAX_PATH)));
  char* name = unixName(wide.c_str());
  if (!name) return {};
  std::string host = name;
  HeapFree(GetProcessHeap(), 0, name);
  return host;
}

// Wine starts a host program like any other, but gives no handle to wait
// on: what it does is waited for instead.
bool runOnHost(std::string commandLine, const std::function<bool()>& done) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return waitUntil(done, 10000);
}

}  // namespace

PlantedLink::PlantedLink(const std::string& link, const std::string& target, bool toFolder)
    : link_(link), toFolder_(toFolder) {
  CreateSymbolicLinkA(link.c_str(), target.c_str(), toFolder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0);
  if (!fileExists(link)) {
    const std::string hostLink = hostPath(link), hostTarget = hostPath(target);
    if (!hostLink.empty() && !hostTarget.empty()) {
      runOnHost("/bin/ln -s \"" + hostTarget + "\" \"" + hostLink + "\"", [&] { return fileExists(link); });
    }
  }
  planted_ = fileExists(link);
}

PlantedLink::~PlantedLink() {
  if (!planted_) return;
  const std::string host = hostPath(link_);
  if (!host.empty()) {
    runOnHost("/bin/rm -f \"" + host + "\"", [&] { return !fileExists(link_); });
  } else if (toFolder_) {
    RemoveDirectoryA(link_.c_str());
  } else {
    DeleteFileA(link_.c_str());
  }
}

std::string placeStub(const std::string& dir, const std::string& name) {
  CreateDirectoryA(dir.c_str(), nullptr);
  std::string target = dir + name;
  CopyFileA((testDataDir() + "product_stub.exe").c_str(), target.c_str(), FALSE);
  return target;
}

bool waitUntil(const std::function<bool()>& condition, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= ms) return false;
    MSG message;
    // A timer whose handler outlasts its interval keeps the queue from ever
    // running dry: the bound applies here too.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
      if (condition()) return true;
      if (GetTickCount() - start >= ms) return false;
    }
    Sleep(20);
  }
}

}  // namespace talvek::test
