#include "installer/Uninstallation.h"

#include <windows.h>

#include "installer/BoundedRepeat.h"
#include "installer/InstallTreeRemoval.h"
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

// The entry's command names the remover quoted; earlier versions wrote it bare.
std::string withoutQuotes(const std::string& command) {
  if (command.size() >= 2 && command.front() == '"' && command.back() == '"') {
    return command.substr(1, command.size() - 2);
  }
  return command;
}

void removeUninstallEntry(const std::string& installDir) {
  const std::string remover = withoutQuotes(RegistryItems::readText(3, std::string(kUninstallKey) + "UninstallString"));
  if (samePath(remover, installDir + product::kRemoverExe)) {
    std::string key = kUninstallKey;
    key.pop_back();
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
  }
}

}  // namespace

UninstallResult uninstallProduct(const std::string& installDir, const std::string& keepFile) {
  if (installDir.empty() || !pathExists(installDir + product::kMainExe)) return UninstallResult::NotAnInstallation;
  stopProductPrograms(installDir);
  removeShortcuts();
  removeProtocolKeys(installDir);
  removeUninstallEntry(installDir);
  removeTreeBelow(installDir, keepFile);
  deleteWithRetry(installDir.substr(0, installDir.size() - 1), true);
  return UninstallResult::Removed;
}

}  // namespace talvek
