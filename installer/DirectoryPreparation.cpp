#include "installer/DirectoryPreparation.h"

#include <windows.h>

#include "installer/BoundedRepeat.h"
#include "installer/InstallFolder.h"
#include "installer/InstallLog.h"
#include "installer/InstallSpaceCheck.h"
#include "installer/InstallPathRules.h"
#include "installer/KeepAside.h"
#include "installer/LinkSafeFiles.h"
#include "installer/ProcessControl.h"
#include "installer/ProductFiles.h"
#include "installer/PathChecks.h"
#include "installer/SpaceNeed.h"

namespace talvek {
namespace {

// A program that was just ended may hold its executable open for a moment.
constexpr int kDeleteAttempts = 20;
constexpr DWORD kDeleteRetryMs = 100;

// `remove` is tried again while the file is held by a program that was
// just ended; true when the file is gone from its place. `error` is the last
// attempt's, taken before the checks that follow it.
template <typename Remove>
bool removeOldExecutable(const std::string& path, Remove remove, DWORD& error) {
  error = 0;
  if (remove()) return true;
  error = GetLastError();
  auto stillLocked = [&] { return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION; };
  repeatWhileBounded(
      [&] {
        if (!stillLocked()) return false;
        if (remove()) return false;
        error = GetLastError();
        return true;
      },
      [] { Sleep(kDeleteRetryMs); }, kDeleteAttempts);
  return !pathExists(path);
}

// The earlier version's program is kept aside rather than deleted, so a
// failed installation can put it back. A folder in its place is refused as
// the deletion always refused it; without a keep-aside folder it is deleted.
bool setOldExecutableAside(const InstallFolder& folder, KeepAside& keepAside, DWORD& error) {
  const std::string path = folder.root().path + product::kMainExe;
  if (isDirectory(path)) {
    error = ERROR_ACCESS_DENIED;
    return false;
  }
  if (keepAside.beginIn(folder.root(), folder.handle())) {
    return removeOldExecutable(
        path, [&] { return keepAside.keep(product::kMainExe); }, error);
  }
  return removeOldExecutable(
      path,
      [&] {
        const LinkSafe deleted = deleteItself(folder.root(), product::kMainExe);
        // No program lets go of a link: not worth waiting for.
        if (deleted == LinkSafe::Link) SetLastError(ERROR_CANT_ACCESS_FILE);
        return deleted == LinkSafe::Done;
      },
      error);
}

void stopByNameOrTitleLogged(const ProcessControl& ours, const char* name) {
  const bool stopped = ours.stopByNameOrTitle(name);
  installLog().record(
      "stop by name or title", stopped ? "stopped" : "none of ours",
      std::string(name) + (stopped ? " running from the directory" : " is not running from the directory"));
}

}  // namespace

std::string deletionFailedMessage(const std::string& directory) {
  return "初始化目录失败！<br>删除文件" + directory +
         "Talvek.exe "
         "失败！请检查该目录是否有删除权限<br>若您是Win7以上用户请尝试右击安装程序>"
         "使用管理员权限运行，若还不行请尝试选择其它安装目录！";
}

std::string creationFailedMessage(const std::string& directory) {
  return "创建目录:" + directory +
         "失败！请检查该目录是否有创建权限<br>若您是Win7以上用户请尝试右击安装程序>使用管理员权限运行！";
}

std::string notEnoughSpaceMessage(const std::string& directory, std::uint64_t needed, std::uint64_t free) {
  return "磁盘空间不足！<br>安装到" + directory + "需要" + SpaceNeed::readableAmount(needed) + "，该磁盘只剩" +
         SpaceNeed::readableAmount(free) + "！<br>请清理磁盘后重试，或选择其它安装目录！";
}

namespace {

// What an earlier run cut short left kept aside goes back first, so the
// checks that follow see the earlier version whole; then only programs
// running from this directory are stopped: a program elsewhere that shares
// a name, or a window titled with it, is none of ours.
void settleEarlierInstallation(const std::string& directory, const InstallFolder& folder, const KeepAside& keepAside) {
  keepAside.recoverIn(folder.root(), folder.handle());
  const ProcessControl ours(directory);
  stopByNameOrTitleLogged(ours, product::kPagelensExe);
  stopByNameOrTitleLogged(ours, product::kUpdaterExe);
  if (pathExists(directory + product::kMainExe)) stopByNameOrTitleLogged(ours, product::kMainExe);
}

std::optional<std::string> clearOldExecutable(const std::string& directory, KeepAside& keepAside,
                                              const InstallFolder& folder) {
  const std::string oldExecutable = directory + product::kMainExe;
  if (pathExists(oldExecutable)) {
    DWORD setAsideError = 0;
    const bool setAside = setOldExecutableAside(folder, keepAside, setAsideError);
    installLog().outcome("delete old program", setAside, oldExecutable, std::nullopt, setAsideError);
    if (!setAside) return deletionFailedMessage(directory);
  }
  installLog().record("prepare directory", "ok", directory + " exists");
  return std::nullopt;
}

std::optional<std::string> createLastLevel(const std::string& directory, InstallFolder& folder) {
  const bool created = folder.create(directory) == InstallFolder::Outcome::Held;
  installLog().outcome("create directory", created, directory, std::nullopt, GetLastError());
  if (!created) return creationFailedMessage(directory);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> prepareInstallDirectory(const std::string& directory, std::span<const std::uint8_t> payload,
                                                   KeepAside& keepAside, InstallFolder& folder) {
  if (containsChinese(directory)) {
    installLog().record("check path", "REFUSED", directory + " holds Chinese characters");
    return std::string(message::kChinesePath);
  }
  const InstallFolder::Outcome found = folder.hold(directory);
  if (found == InstallFolder::Outcome::Link || found == InstallFolder::Outcome::Failed) {
    // A link here would take the whole installation wherever it points.
    installLog().record("check path", "REFUSED",
                        directory + (found == InstallFolder::Outcome::Link ? " is a link" : " is no folder to be held"),
                        std::nullopt, GetLastError());
    return creationFailedMessage(directory);
  }
  const bool exists = found == InstallFolder::Outcome::Held;
  if (exists) settleEarlierInstallation(directory, folder, keepAside);
  if (const auto shortfall = findSpaceShortfall(directory, folder, payload)) {
    return notEnoughSpaceMessage(directory, shortfall->neededBytes, shortfall->freeBytes);
  }
  return exists ? clearOldExecutable(directory, keepAside, folder) : createLastLevel(directory, folder);
}

}  // namespace talvek
