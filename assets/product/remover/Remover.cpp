// The product's uninstaller, installed as "Remover.exe" beside "Talvek.exe".
//
//   Remover.exe [/S]                  asks, then removes the installation it sits in
//   Remover.exe --from DIR [/S]       (internal) the copy in %TEMP% doing the work
//
// A program cannot delete its own file while it runs, so the installed
// remover hands the work to a copy of itself in a new folder of the temp
// folder, which removes the installation and then has its folder deleted
// once it ends.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

#include "installer/FreshFolder.h"
#include "installer/PrivateFolderRights.h"
#include "installer/ProcessToken.h"
#include "installer/Uninstallation.h"
#include "toolkit/core/WinHandles.h"

namespace {

constexpr wchar_t kCopyFolderStem[] = L"TalvekRemover-";
constexpr wchar_t kTitle[] = L"Talvek \u5378\u8F7D";                                   // Talvek 卸载
constexpr wchar_t kConfirm[] = L"\u786E\u5B9A\u8981\u5378\u8F7D Talvek \u53CA\u5176\u6240\u6709\u7EC4\u4EF6\u5417\uFF1F";  // 确定要卸载 Talvek 及其所有组件吗？
constexpr wchar_t kDone[] = L"Talvek \u5DF2\u5378\u8F7D\u3002";                        // Talvek 已卸载。
constexpr wchar_t kNotInstalled[] =
    L"\u6B64\u76EE\u5F55\u4E2D\u6CA1\u6709 Talvek\uFF0C\u672A\u5220\u9664\u4EFB\u4F55\u6587\u4EF6\u3002";  // 此目录中没有 Talvek，未删除任何文件。

struct Arguments {
  bool silent = false;
  std::wstring from;
};

Arguments parseArguments() {
  Arguments arguments;
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  const talvek::LocalMemory ownedWords(words);
  for (int i = 1; words && i < count; ++i) {
    std::wstring word = words[i];
    if (word == L"/S" || word == L"/s") arguments.silent = true;
    if (word == L"--from" && i + 1 < count) arguments.from = words[++i];
  }
  return arguments;
}

std::wstring ownPath() {
  wchar_t path[MAX_PATH] = {};
  return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

std::string toAnsi(const std::wstring& text) {
  int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(length > 0 ? length - 1 : 0, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

bool startHidden(const std::wstring& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &info)) {
    return false;
  }
  talvek::Handle process(info.hProcess), thread(info.hThread);
  return true;
}

// The temp copy's folder goes once the copy has ended: a hidden command
// shell retries the deletion for a few seconds. Only a folder the handing
// over made: "--from" given to the installed remover leaves its folder be.
void deleteOwnFolderAfterExit(const std::wstring& self, const std::wstring& temp) {
  const std::wstring folder = self.substr(0, self.find_last_of(L'\\'));
  const std::wstring expectedStart = temp + kCopyFolderStem;
  const bool madeByHandOver = folder.size() > expectedStart.size() &&
                              _wcsnicmp(folder.c_str(), expectedStart.c_str(), expectedStart.size()) == 0 &&
                              folder.find(L'\\', temp.size()) == std::wstring::npos;
  if (!madeByHandOver) return;
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(system) + L"\\cmd.exe\" /c for /l %i in (1,1,50) do (rmdir /s /q \"" +
                         folder + L"\" 2>nul & if not exist \"" + folder + L"\" exit)";
  startHidden(command);
}

bool ask(const Arguments& arguments, const wchar_t* text, UINT buttons) {
  return arguments.silent || MessageBoxW(nullptr, text, kTitle, buttons) == IDYES;
}

int work(const Arguments& arguments) {
  if (!ask(arguments, kConfirm, MB_YESNO | MB_ICONQUESTION)) return 1;
  std::string dir = toAnsi(arguments.from);
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  // The installed remover may take a moment to end after handing over.
  Sleep(300);
  auto result = talvek::uninstallProduct(dir, toAnsi(ownPath()));
  if (!arguments.silent) {
    MessageBoxW(nullptr, result == talvek::UninstallResult::Removed ? kDone : kNotInstalled, kTitle,
                MB_OK | (result == talvek::UninstallResult::Removed ? MB_ICONINFORMATION : MB_ICONWARNING));
  }
  return result == talvek::UninstallResult::Removed ? 0 : 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const Arguments arguments = parseArguments();
  const std::wstring self = ownPath();
  // A process's current directory cannot be removed: never stand in the
  // installation while removing it.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  SetCurrentDirectoryW(temp);
  if (!arguments.from.empty()) {
    int code = work(arguments);
    deleteOwnFolderAfterExit(self, temp);
    return code;
  }

  const std::wstring installDir = self.substr(0, self.find_last_of(L'\\') + 1);
  // The temp folder is the user's, and a name in it can be planted in
  // advance (a link to a file this elevated program would overwrite), and
  // a copy in a folder the user can write to can be swapped before it
  // runs with this program's rights: the copy goes into a folder that did
  // not exist before and that only this account at this level may write
  // to, held until the copy runs, and never over a file.
  talvek::FreshFolder folder = talvek::createFreshFolder(
      temp, kCopyFolderStem, talvek::privateFolderRights(talvek::currentElevation(), talvek::currentUserSid()));
  if (!folder.path.empty()) {
    const std::wstring copy = folder.path + L"Remover.exe";
    // No backslash before the closing quote: it would escape the quote.
    const std::wstring fromDir = installDir.substr(0, installDir.size() - 1);
    std::wstring handOver = L"\"" + copy + L"\" --from \"" + fromDir + L"\"" + (arguments.silent ? L" /S" : L"");
    if (CopyFileW(self.c_str(), copy.c_str(), TRUE) && startHidden(handOver)) return 0;
    DeleteFileW(copy.c_str());
    folder.held.reset();
    RemoveDirectoryW(folder.path.c_str());
  }

  // Without a temp copy, remove everything but this file.
  Arguments inPlace = arguments;
  inPlace.from = installDir;
  return work(inPlace);
}
