#include "installer/DirectoryPreparation.h"

#include <windows.h>

#include <shlwapi.h>

#include "installer/BoundedRepeat.h"
#include "installer/InstallLog.h"
#include "installer/InstallPathRules.h"
#include "installer/ProcessControl.h"
#include "installer/ProductFiles.h"
#include "installer/PathChecks.h"

namespace talvek {
namespace {

// A program that was just ended may hold its executable open for a moment.
constexpr int kDeleteAttempts = 20;
constexpr DWORD kDeleteRetryMs = 100;

// `error` is the last deletion's, taken before the checks that follow it.
bool deleteOldExecutable(const std::string& path, DWORD& error) {
  error = 0;
  if (DeleteFileA(path.c_str())) return true;
  error = GetLastError();
  auto stillLocked = [&] { return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION; };
  repeatWhileBounded(
      [&] {
        if (!stillLocked()) return false;
        if (DeleteFileA(path.c_str())) return false;
        error = GetLastError();
        return true;
      },
      [] { Sleep(kDeleteRetryMs); }, kDeleteAttempts);
  return !pathExists(path);
}

void stopByNameOrTitleLogged(const ProcessControl& ours, const char* name) {
  const bool stopped = ours.stopByNameOrTitle(name);
  installLog().record("stop by name or title", stopped ? "stopped" : "none of ours",
                      std::string(name) + (stopped ? " running from the directory" : " is not running from the directory"));
}

}  // namespace

std::string deletionFailedMessage(const std::string& directory) {
  return "初始化目录失败！<br>删除文件" + directory +
         "Talvek.exe 失败！请检查该目录是否有删除权限<br>若您是Win7以上用户请尝试右击安装程序>使用管理员权限运行，若还不行请尝试选择其它安装目录！";
}

std::string creationFailedMessage(const std::string& directory) {
  return "创建目录:" + directory + "失败！请检查该目录是否有创建权限<br>若您是Win7以上用户请尝试右击安装程序>使用管理员权限运行！";
}

std::optional<std::string> prepareInstallDirectory(const std::string& directory) {
  if (containsChinese(directory)) {
    installLog().record("check path", "REFUSED", directory + " holds Chinese characters");
    return std::string(message::kChinesePath);
  }
  if (PathIsDirectoryA(directory.c_str())) {
    // Only programs running from this directory: a program elsewhere that
    // shares a name, or a window titled with it, is none of ours.
    const ProcessControl ours(directory);
    stopByNameOrTitleLogged(ours, product::kPagelensExe);
    stopByNameOrTitleLogged(ours, product::kUpdaterExe);
    const std::string oldExecutable = directory + product::kMainExe;
    if (pathExists(oldExecutable)) {
      stopByNameOrTitleLogged(ours, product::kMainExe);
      DWORD deleteError = 0;
      const bool deleted = deleteOldExecutable(oldExecutable, deleteError);
      installLog().outcome("delete old program", deleted, oldExecutable, std::nullopt, deleteError);
      if (!deleted) return deletionFailedMessage(directory);
    }
    installLog().record("prepare directory", "ok", directory + " exists");
    return std::nullopt;
  }
  // Only the last level: a folder chosen in the dialog and removed since
  // makes this fail, as it should.
  const bool created = CreateDirectoryA(directory.c_str(), nullptr);
  installLog().outcome("create directory", created, directory, std::nullopt, GetLastError());
  if (!created) return creationFailedMessage(directory);
  return std::nullopt;
}

}  // namespace talvek
