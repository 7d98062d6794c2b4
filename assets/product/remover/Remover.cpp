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
#include <vector>

#include "installer/FreshFolder.h"
#include "installer/InstallLog.h"
#include "installer/PrivateFolderRights.h"
#include "installer/ProcessToken.h"
#include "installer/Uninstallation.h"
#include "installer/UninstallReport.h"
#include "installer/WideDecimal.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/WinHandles.h"

namespace {

constexpr wchar_t kCopyFolderStem[] = L"TalvekRemover-";
constexpr wchar_t kTitle[] = L"Talvek \u5378\u8F7D";  // Talvek 卸载
constexpr wchar_t kConfirm[] =
    L"\u786E\u5B9A\u8981\u5378\u8F7D Talvek \u53CA\u5176\u6240\u6709\u7EC4\u4EF6\u5417\uFF1F";  // 确定要卸载 Talvek
                                                                                                // 及其所有组件吗？
constexpr wchar_t kDone[] = L"Talvek \u5DF2\u5378\u8F7D\u3002";  // Talvek 已卸载。
constexpr wchar_t kNotInstalled[] =
    L"\u6B64\u76EE\u5F55\u4E2D\u6CA1\u6709 Talvek\uFF0C\u672A\u5220\u9664\u4EFB\u4F55\u6587\u4EF6\u3002";  // 此目录中没有
                                                                                                           // Talvek，未删除任何文件。
// 是链接，已保留，以免删除其指向的内容
constexpr wchar_t kLinkReason[] =
    L"\u662F\u94FE\u63A5\uFF0C\u5DF2\u4FDD\u7559\uFF0C\u4EE5\u514D\u5220\u9664\u5176\u6307\u5411\u7684\u5185\u5BB9";
constexpr wchar_t kErrorNumber[] = L"\u9519\u8BEF ";  // 错误
// Beside the installer's log, for the same support person; the work's
// process writes it.
constexpr wchar_t kLogName[] = L"TalvekRemover.log";

// The exit code of the work tells whoever ran it with "/S" how it went.
// The installed remover only hands the work over.
enum ExitCode : int {
  kRemovedCode = 0,
  kDeclinedCode = 1,
  kNotInstalledCode = 2,
  kIncompleteCode = 3,
  kHandedOverCode = 0,
};

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

std::wstring whyLeft(const talvek::LeftBehind& item) {
  if (item.link) return kLinkReason;
  const std::string text = talvek::InstallLog::systemMessage(item.error);
  return text.empty() ? kErrorNumber + talvek::wideDecimal(item.error) : talvek::toWide(text, CP_UTF8);
}

void logOutcome(const talvek::UninstallOutcome& outcome) {
  for (const talvek::LeftBehind& item : outcome.left) {
    talvek::installLog().record("left behind", item.link ? "link" : "FAILED", item.what, std::nullopt, item.error);
  }
  const char* said = outcome.result == talvek::UninstallResult::Removed      ? "removed"
                     : outcome.result == talvek::UninstallResult::Incomplete ? "incomplete"
                                                                             : "not an installation";
  talvek::installLog().record("uninstall", said);
}

void tellUser(const talvek::UninstallOutcome& outcome) {
  switch (outcome.result) {
    case talvek::UninstallResult::Removed: MessageBoxW(nullptr, kDone, kTitle, MB_OK | MB_ICONINFORMATION); break;
    case talvek::UninstallResult::NotAnInstallation:
      MessageBoxW(nullptr, kNotInstalled, kTitle, MB_OK | MB_ICONWARNING);
      break;
    case talvek::UninstallResult::Incomplete: {
      std::vector<talvek::LeftItemText> items;
      for (const talvek::LeftBehind& item : outcome.left) items.push_back({talvek::toWide(item.what), whyLeft(item)});
      MessageBoxW(nullptr, talvek::incompleteMessage(items).c_str(), kTitle, MB_OK | MB_ICONWARNING);
      break;
    }
  }
}

int work(const Arguments& arguments, const std::wstring& temp) {
  if (!ask(arguments, kConfirm, MB_YESNO | MB_ICONQUESTION)) return kDeclinedCode;
  talvek::installLog().open(temp + kLogName);
  std::string dir = toAnsi(arguments.from);
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  talvek::installLog().record("uninstall", "start", dir);
  // The installed remover may take a moment to end after handing over.
  Sleep(300);
  const talvek::UninstallOutcome outcome = talvek::uninstallProduct(dir, toAnsi(ownPath()));
  logOutcome(outcome);
  if (!arguments.silent) tellUser(outcome);
  switch (outcome.result) {
    case talvek::UninstallResult::Removed: return kRemovedCode;
    case talvek::UninstallResult::Incomplete: return kIncompleteCode;
    default: return kNotInstalledCode;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const Arguments arguments = parseArguments();
  const std::wstring self = ownPath();
  // A process's current directory cannot be removed: never stand in the
  // installation while removing it.
  wchar_t tempBuffer[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, tempBuffer);
  const std::wstring temp = tempBuffer;
  SetCurrentDirectoryW(temp.c_str());
  if (!arguments.from.empty()) {
    const int code = work(arguments, temp);
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
    if (CopyFileW(self.c_str(), copy.c_str(), TRUE) && startHidden(handOver)) return kHandedOverCode;
    DeleteFileW(copy.c_str());
    folder.held.reset();
    RemoveDirectoryW(folder.path.c_str());
  }

  // Without a temp copy, remove everything but this file.
  Arguments inPlace = arguments;
  inPlace.from = installDir;
  return work(inPlace, temp);
}
