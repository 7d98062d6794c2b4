#include "installer/Uninstallation.h"

#include <windows.h>

#include "installer/BoundedRepeat.h"
#include "installer/GbkPath.h"
#include "installer/InstallTreeRemoval.h"
#include "installer/InstallerFinishing.h"
#include "installer/LinkSafeFiles.h"
#include "installer/PathChecks.h"
#include "installer/ProcessControl.h"
#include "installer/ProductFiles.h"
#include "installer/RetryRounds.h"
#include "installer/ShortcutPlaces.h"
#include "installer/ShortcutRules.h"
#include "installer/SpecialFolder.h"
#include "netutil/ProtocolCommand.h"
#include "netutil/RegistryItems.h"
#include "netutil/UrlProtocol.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr int kMaxStopsPerProgram = 20;
// What a file held a moment longer by a program just ended may cost, for
// the whole installation together.
constexpr std::uint32_t kRetryBudgetMs = 3000;
constexpr std::uint32_t kRetryPauseMs = 100;
constexpr int kProtocolRootCodes[] = {1, 2, 3};

// Only the programs of this installation: a program elsewhere that shares
// a name is left running.
void stopProductPrograms(const std::string& installDir) {
  const ProcessControl ours(installDir);
  for (const char* name :
       {product::kMainExe, product::kNetrelayExe, product::kBeaconExe, product::kPagelensExe, product::kUpdaterExe}) {
    repeatWhileBounded([&] { return ours.processExists(name); }, [&] { ours.stopProcess(std::string(name)); },
                       kMaxStopsPerProgram);
  }
}

bool isGone(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

void noteLeft(const std::string& path, LinkSafe outcome, DWORD error, std::vector<LeftBehind>& left) {
  if (outcome == LinkSafe::Link) {
    left.push_back({path, 0, true});
  } else if (outcome == LinkSafe::Failed && !isGone(error)) {
    left.push_back({path, error});
  }
}

// The shell's folders are the user's, and a link can stand in a
// shortcut's place: each goes through a handle checked to be where the
// folder really is.
void removeShortcut(const std::string& path, std::vector<LeftBehind>& left) {
  const std::string folder = finalPathOf(parentDirectory(path));
  if (folder.empty()) return;  // no folder, no shortcut
  const LinkSafe removed = deleteFileAt(path, folder + "\\" + std::string(fileNamePart(path)));
  noteLeft(path, removed, GetLastError(), left);
}

// A folder the shell cannot name has no places: nothing in the current
// directory is mistaken for a shortcut.
void removeShortcuts(std::vector<LeftBehind>& left) {
  const ShortcutPlaces places = ShortcutPlaces::find(specialFolder);
  if (!places.desktopFolder.empty()) removeShortcut(desktopLinkPath(places.desktopFolder, kDesktopShortcutName), left);
  if (!places.startMenuLink.empty()) removeShortcut(places.startMenuLink, left);
  if (places.programsFolder.empty()) return;
  removeShortcut(places.programsLink, left);
  const std::string above = finalPathOf(parentDirectory(places.programsFolder));
  if (above.empty()) return;
  const LinkSafe removed =
      deleteFolderAt(places.programsFolder, above + "\\" + std::string(fileNamePart(places.programsFolder)));
  const DWORD error = GetLastError();
  // Only when nothing else is in it: what is, is someone else's.
  if (error != ERROR_DIR_NOT_EMPTY) noteLeft(places.programsFolder, removed, error, left);
}

constexpr const char* kRootNames[] = {"", "HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER"};

// Only protocol registrations that start this installation's component,
// whether written quoted or, by earlier versions, unquoted.
void removeProtocolKeys(const std::string& installDir, std::vector<LeftBehind>& left) {
  const std::string component = installDir + product::kBeaconPath;
  for (int root : kProtocolRootCodes) {
    if (samePath(ProtocolCommand::parse(UrlProtocol::command(kProtocolName, root)).handlerPath, component)) {
      const LSTATUS status = RegDeleteTreeA(RegistryItems::rootKey(root), kProtocolName);
      if (status != ERROR_SUCCESS && !isGone(status)) {
        left.push_back({std::string(kRootNames[root]) + "\\" + kProtocolName, static_cast<std::uint32_t>(status)});
      }
    }
  }
}

// The entry's command names the remover quoted; earlier versions wrote it bare.
std::string withoutQuotes(const std::string& command) {
  if (command.size() >= 2 && command.front() == '"' && command.back() == '"') {
    return command.substr(1, command.size() - 2);
  }
  return command;
}

bool entryNamesRemoverIn(const std::string& installDir) {
  const std::string remover = withoutQuotes(RegistryItems::readText(3, std::string(kUninstallKey) + "UninstallString"));
  return samePath(remover, installDir + product::kRemoverExe);
}

void removeUninstallEntry(const std::string& installDir, std::vector<LeftBehind>& left) {
  if (!entryNamesRemoverIn(installDir)) return;
  std::string key = kUninstallKey;
  key.pop_back();
  const LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
  if (status != ERROR_SUCCESS && !isGone(status)) {
    left.push_back({std::string(kRootNames[3]) + "\\" + key, static_cast<std::uint32_t>(status)});
  }
}

std::uint32_t tickMs() { return GetTickCount(); }

void pauseMs(std::uint32_t ms) { Sleep(ms); }

}  // namespace

UninstallOutcome uninstallProduct(const std::string& installDir, const std::string& keepFile) {
  // An earlier run that could not finish may have removed "Talvek.exe"
  // already; the entry it left names this remover still.
  if (installDir.empty() || !(pathExists(installDir + product::kMainExe) || entryNamesRemoverIn(installDir))) {
    return {};
  }
  stopProductPrograms(installDir);
  std::vector<LeftBehind> left;
  removeShortcuts(left);
  removeProtocolKeys(installDir, left);
  RetryRounds retries({tickMs, pauseMs}, kRetryBudgetMs, kRetryPauseMs);
  // The product's program keeps the folder an installation; the remover
  // keeps the entry's command working.
  InstallTreeRemoval tree(installDir, keepFile, {product::kMainExe, product::kRemoverExe}, retries);
  const auto append = [&](std::vector<LeftBehind> more) { left.insert(left.end(), more.begin(), more.end()); };
  append(tree.removeAllButLast());
  if (left.empty()) append(tree.removeLastAndFolder());
  if (left.empty()) removeUninstallEntry(installDir, left);
  return {left.empty() ? UninstallResult::Removed : UninstallResult::Incomplete, std::move(left)};
}

}  // namespace talvek
