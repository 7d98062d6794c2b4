// Starts a program with some environment variables changed and exits with
// its exit code. Wine sets variables such as ProgramFiles from its registry
// at process start, so a test cannot pass them in from the Unix side.
//
//   launch_with_environment.exe NAME=VALUE... -- PROGRAM [ARGUMENTS...]
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

// Quoted only when it must be: some programs (the command interpreter)
// read their switches unquoted.
std::wstring quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  return L"\"" + argument + L"\"";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return 120;
  int i = 1;
  for (; i < count && std::wstring(arguments[i]) != L"--"; ++i) {
    const std::wstring setting = arguments[i];
    const size_t equals = setting.find(L'=');
    if (equals == std::wstring::npos || equals == 0) return 121;
    const std::wstring value = setting.substr(equals + 1);
    SetEnvironmentVariableW(setting.substr(0, equals).c_str(), value.empty() ? nullptr : value.c_str());
  }
  if (i + 1 >= count) return 122;
  std::wstring commandLine = quoted(arguments[i + 1]);
  for (int k = i + 2; k < count; ++k) commandLine += L" " + quoted(arguments[k]);
  LocalFree(arguments);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 123;
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 124;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}
