#include "installer/InstallerFinishing.h"

#include <windows.h>

#include <shellapi.h>

#include "installer/InstallDateText.h"
#include "installer/PathChecks.h"
#include "installer/ProcessLifetime.h"
#include "installer/ProductFiles.h"
#include "installer/Shortcuts.h"
#include "installer/SpecialFolder.h"
#include "installer/SystemVersion.h"
#include "netutil/ProtocolCommand.h"
#include "netutil/RegistryItems.h"
#include "netutil/SystemIntegration.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr int kRootCurrentUser = 3;
constexpr int kProtocolRoots[] = {1, 2, 3};
constexpr DWORD kProductIdleWaitMs = 1000;

LocalDateTime localNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// An earlier version's registration of this very component has its path
// unquoted; it is written again. Another installation's is left as it is.
bool isEarlierFormOf(const SystemIntegration& integration, const std::string& handler, int root) {
  ProtocolCommand stored = ProtocolCommand::parse(integration.readProtocolCommand(kProtocolName, root));
  return !stored.quoted && samePath(stored.handlerPath, handler);
}

// A shortcut place stays empty when the shell cannot name its folder; the
// step is skipped then, or the link would land in the current directory.
bool isNamed(const std::string& place) {
  if (!place.empty()) return true;
  // Install log: the shortcut step skipped for want of its folder.
  return false;
}

}  // namespace

InstallerFinishing::InstallerFinishing(InstallationView& view, const InstallOptions& options,
                                       SystemIntegration& integration, ShortcutPlaces::FolderLookup folderOf)
    : view_(view), options_(options), integration_(integration), folderOf_(std::move(folderOf)) {}

void InstallerFinishing::registerComponent(const std::string& installDir) {
  const std::string handler = installDir + product::kBeaconPath;
  for (int root : kProtocolRoots) {
    if (integration_.isProtocolRegistered(kProtocolName, root) && !isEarlierFormOf(integration_, handler, root)) {
      continue;
    }
    view_.setStatus(status::kRegisteringComponent);
    integration_.registerProtocol(kProtocolName, handler, root);
  }
}

void InstallerFinishing::createChosenShortcuts(const std::string& installDir) {
  // The shortcut objects are COM; the UI thread may already have it up.
  ComApartment com;
  const std::string target = installDir + product::kMainExe;
  const ShortcutPlaces places = ShortcutPlaces::find(folderOf_);
  if (options_.quickLaunch()) {
    view_.setStatus(status::kQuickLaunch);
    // Only where the pin verb exists as the installer knows it (Windows 7).
    if (windowsVersionCode() > 6) integration_.pinToTaskbar(installDir, product::kMainExe);
  }
  if (options_.desktopShortcut()) {
    view_.setStatus(status::kDesktopShortcut);
    if (isNamed(places.desktopFolder)) createDesktopShortcut({kDesktopShortcutName, target}, places.desktopFolder);
  }
  if (options_.startMenuShortcuts()) {
    view_.setStatus(status::kStartMenuShortcuts);
    const bool programsNamed = isNamed(places.programsFolder);
    if (programsNamed) CreateDirectoryA(places.programsFolder.c_str(), nullptr);
    if (isNamed(places.startMenuLink)) createShellLink({places.startMenuLink, target});
    if (programsNamed) createShellLink({places.programsLink, target});
  }
}

void InstallerFinishing::startProduct(const std::string& installDir) {
  // Quoted: unquoted, "C:\Program Files\Talvek\Talvek.exe" would first
  // run a "C:\Program.exe" if one existed.
  std::string commandLine = "\"" + installDir + product::kMainExe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return;
  }
  Handle process(info.hProcess);
  Handle thread(info.hThread);
  WaitForInputIdle(process.get(), kProductIdleWaitMs);
}

void InstallerFinishing::writeUninstallEntry(const std::string& installDir) {
  const std::string key = kUninstallKey;
  auto write = [&](const char* value, const std::string& text) {
    RegistryItems::writeText(kRootCurrentUser, key + value, text);
  };
  write("", "");
  write("DisplayIcon", installDir + product::kMainExe);
  write("Publisher", "Talvek");
  write("DisplayName", "Talvek");
  write("InstallDate", installDateText(localNow()));
  // The icon file is not in the payload; the value is written as shipped.
  write("DisplayIcon", installDir + "Auxiliary\\DEFAULT_ICON.ico");
  write("DisplayVersion", kProductVersion);
  write("UninstallString", installDir + product::kRemoverExe);
}

void InstallerFinishing::openReadMe(const std::string& path) {
  // No error dialog: a read-me without an associated program must not hold
  // the installer open in front of a message nobody asked for.
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI;
  execute.lpVerb = "open";
  execute.lpFile = path.c_str();
  execute.nShow = SW_SHOWNORMAL;
  ShellExecuteExA(&execute);
}

void InstallerFinishing::terminate() { terminateInstaller(); }

}  // namespace talvek
