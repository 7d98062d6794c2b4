#include "installer/Uninstallation.h"

#include <windows.h>

#include "installer/BoundedRepeat.h"
#include "installer/InstallerFinishing.h"
#include "installer/ProcessControl.h"
#include "installer/ProductFiles.h"
#include "installer/ShortcutPlaces.h"
#include "installer/ShortcutRules.h"
#include "installer/SpecialFolder.h"
#include "installer/PathChecks.h"
#include "netutil/ProtocolCommand.h"
#include "netutil/RegistryItems.h"
#include "netutil/UrlProtocol.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr int kMaxStopsPerProgram = 20;
constexpr int kDeleteAttempts = 30;
constexpr DWORD kDeleteRetryMs = 100;
constexpr int kProtocolRootCodes[] = {1, 2, 3};

// Only the programs of this installation: a program elsewhere that shares
// a name is left running.
void stopProductPrograms(const std::string& installDir) {
  const ProcessControl ours(installDir);
  for (const char* name : {product::kMainExe, product::kNetrelayExe, product::kBeaconExe, product::kPagelensExe,
                           product::kUpdaterExe}) {
    repeatWhileBounded([&] { return ours.processExists(name); }, [&] { ours.stopProcess(std::string(name)); },
                       kMaxStopsPerProgram);
  }
}

// A folder the shell cannot name has no places: nothing in the current
// directory is mistaken for a shortcut.
void removeShortcuts() {
  const ShortcutPlaces places = ShortcutPlaces::find(specialFolder);
  if (!places.desktopFolder.empty()) {
    DeleteFileA(desktopLinkPath(places.desktopFolder, kDesktopShortcutName).c_str());
  }
  if (!places.startMenuLink.empty()) DeleteFileA(places.startMenuLink.c_str());
  if (!places.programsFolder.empty()) {
    DeleteFileA(places.programsLink.c_str());
    RemoveDirectoryA(places.programsFolder.c_str());  // only when nothing else is in it
  }
}

// Only protocol registrations that start this installation's component,
// whether written quoted or, by earlier versions, unquoted.
void removeProtocolKeys(const std::string& installDir) {
  const std::string component = installDir + product::kBeaconPath;
  for (int root : kProtocolRootCodes) {
    if (samePath(ProtocolCommand::parse(UrlProtocol::command(kProtocolName, root)).handlerPath, component)) {
      RegDeleteTreeA(RegistryItems::rootKey(root), kProtocolName);
    }
  }
}

void removeUninstallEntry(const std::string& installDir) {
  const std::string remover = RegistryItems::readText(3, std::string(kUninstallKey) + "UninstallString");
  if (samePath(remover, installDir + product::kRemoverExe)) {
    std::string key = kUninstallKey;
    key.pop_back();
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
  }
}

bool deleteWithRetry(const std::string& path, bool directory) {
  auto remove = [&] { return directory ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str()); };
  if (remove()) return true;
  SetFileAttributesA(path.c_str(), directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL);
  // A program that was just ended may still hold its files for a moment.
  repeatWhileBounded([&] { return !remove() && pathExists(path); }, [] { Sleep(kDeleteRetryMs); }, kDeleteAttempts);
  return !pathExists(path);
}

// Deletes everything below `dir` (ending with a backslash) but `keepFile`.
void deleteTree(const std::string& dir, const std::string& keepFile) {
  WIN32_FIND_DATAA entry;
  FindHandle search(FindFirstFileA((dir + "*").c_str(), &entry));
  if (!search) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = dir + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // A link to a folder elsewhere goes, not what it points to.
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) deleteTree(path + "\\", keepFile);
      deleteWithRetry(path, true);
    } else if (!samePath(path, keepFile)) {
      deleteWithRetry(path, false);
    }
  } while (FindNextFileA(search.get(), &entry));
}

}  // namespace

UninstallResult uninstallProduct(const std::string& installDir, const std::string& keepFile) {
  if (installDir.empty() || !pathExists(installDir + product::kMainExe)) return UninstallResult::NotAnInstallation;
  stopProductPrograms(installDir);
  removeShortcuts();
  removeProtocolKeys(installDir);
  removeUninstallEntry(installDir);
  deleteTree(installDir, keepFile);
  deleteWithRetry(installDir.substr(0, installDir.size() - 1), true);
  return UninstallResult::Removed;
}

}  // namespace talvek
