#include "installer/InstallerFinishing.h"

#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include "installer/DesktopShellStart.h"
#include "installer/InstallDateText.h"
#include "installer/InstallLog.h"
#include "installer/PathChecks.h"
#include "installer/ProcessLifetime.h"
#include "installer/ProcessToken.h"
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
constexpr const char* kRootNames[] = {"", "HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER"};

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
bool isNamed(const std::string& place, std::string_view step) {
  if (!place.empty()) return true;
  installLog().record(step, "skipped", "the system named no folder for it");
  return false;
}

bool hasOpenCommand(const std::string& path) {
  const char* extension = PathFindExtensionA(path.c_str());
  if (*extension == '\0') return false;
  char command[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  const HRESULT found = AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_COMMAND, extension, "open", command, &size);
  return found == S_OK || found == E_POINTER;  // E_POINTER: longer than the buffer, but there
}

}  // namespace

InstallerFinishing::InstallerFinishing(InstallationView& view, const InstallOptions& options,
                                       SystemIntegration& integration, ShortcutPlaces::FolderLookup folderOf)
    : view_(view),
      options_(options),
      integration_(integration),
      folderOf_(std::move(folderOf)),
      elevation_(currentElevation()) {}

bool InstallerFinishing::startsItself(const std::string& file, const std::string& directory, const char* step,
                                      const char* leftUndone, const char* shellNotAskedBecause) const {
  const StepClock clock;
  ShellStartResult asked{ShellAnswer::NotAsked, shellNotAskedBecause ? shellNotAskedBecause : ""};
  if (!shellNotAskedBecause && wantsDesktopShell(elevation_)) asked = startThroughDesktopShell(file, directory);
  const LaunchRoute route = chooseLaunchRoute(elevation_, asked.outcome);
  if (route == LaunchRoute::Direct) return true;
  if (asked.outcome == ShellAnswer::Started) {
    installLog().record(step, "ok", file + "; " + describeLaunch(elevation_, route), clock.elapsed());
  } else if (asked.outcome == ShellAnswer::NoAnswer) {
    installLog().record(step, "UNKNOWN", file + "; " + asked.failure + "; not started again directly", clock.elapsed());
  } else {
    installLog().record(step, "skipped",
                        file + "; " + describeLaunch(elevation_, route, asked.failure) + "; " + leftUndone,
                        clock.elapsed());
  }
  return false;
}

void InstallerFinishing::registerComponent(const std::string& installDir) {
  const std::string handler = installDir + product::kBeaconPath;
  for (int root : kProtocolRoots) {
    if (integration_.isProtocolRegistered(kProtocolName, root) && !isEarlierFormOf(integration_, handler, root)) {
      installLog().record("register protocol", "skipped", std::string(kRootNames[root]) + ": already registered");
      continue;
    }
    view_.setStatus(status::kRegisteringComponent);
    const StepClock clock;
    const bool registered = integration_.registerProtocol(kProtocolName, handler, root);
    installLog().outcome("register protocol", registered, std::string(kRootNames[root]) + ": " + handler,
                         clock.elapsed());
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
    const bool pinning = windowsVersionCode() > 6;
    if (pinning) integration_.pinToTaskbar(installDir, product::kMainExe);
    installLog().record("taskbar pin", pinning ? "asked" : "skipped",
                        pinning ? target : "no pin verb on this Windows version");
  }
  if (options_.desktopShortcut()) {
    view_.setStatus(status::kDesktopShortcut);
    const StepClock clock;
    if (isNamed(places.desktopFolder, "desktop shortcut")) {
      installLog().outcome("desktop shortcut",
                           createDesktopShortcut({kDesktopShortcutName, target}, places.desktopFolder),
                           places.desktopFolder + kDesktopShortcutName + ".lnk -> " + target, clock.elapsed());
    }
  }
  if (options_.startMenuShortcuts()) {
    view_.setStatus(status::kStartMenuShortcuts);
    const StepClock clock;
    const bool programsNamed = isNamed(places.programsFolder, "programs folder");
    if (programsNamed) CreateDirectoryA(places.programsFolder.c_str(), nullptr);
    if (isNamed(places.startMenuLink, "start-menu shortcut")) {
      installLog().outcome("start-menu shortcut", createShellLink({places.startMenuLink, target}), places.startMenuLink,
                           clock.elapsed());
    }
    if (programsNamed) {
      installLog().outcome("programs shortcut", createShellLink({places.programsLink, target}), places.programsLink,
                           clock.elapsed());
    }
  }
}

void InstallerFinishing::startProduct(const std::string& installDir) {
  const std::string program = installDir + product::kMainExe;
  if (!startsItself(program, installDir, "start product", "the product can be started from its shortcut")) return;
  // Quoted: unquoted, "C:\Program Files\Talvek\Talvek.exe" would first
  // run a "C:\Program.exe" if one existed.
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  const bool started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      installDir.c_str(), &startup, &info);
  installLog().outcome("start product", started,
                       commandLine + " in " + installDir + "; " + describeLaunch(elevation_, LaunchRoute::Direct),
                       std::nullopt, GetLastError());
  if (!started) return;
  Handle process(info.hProcess);
  Handle thread(info.hThread);
  const StepClock clock;
  const DWORD waited = WaitForInputIdle(process.get(), kProductIdleWaitMs);
  const DWORD waitError = waited == WAIT_FAILED ? GetLastError() : 0;  // before the clock's own calls
  installLog().record("product idle wait",
                      waited == 0              ? "idle"
                      : waited == WAIT_TIMEOUT ? "timeout"
                                               : "FAILED",
                      "at most 1000 ms", clock.elapsed(), waitError);
}

void InstallerFinishing::writeUninstallEntry(const std::string& installDir) {
  const std::string key = kUninstallKey;
  const StepClock clock;
  int refused = 0;
  auto write = [&](const char* value, const std::string& text) {
    if (!RegistryItems::writeText(kRootCurrentUser, key + value, text)) ++refused;
  };
  write("", "");
  write("DisplayIcon", installDir + product::kMainExe);
  write("Publisher", "Talvek");
  write("DisplayName", "Talvek");
  write("InstallDate", installDateText(localNow()));
  // The icon file is not in the payload; the value is written as shipped.
  write("DisplayIcon", installDir + "Auxiliary\\DEFAULT_ICON.ico");
  write("DisplayVersion", kProductVersion);
  // Quoted: the system runs this as a command line, and unquoted
  // "C:\Program Files\..." would first run a "C:\Program.exe".
  write("UninstallString", "\"" + installDir + product::kRemoverExe + "\"");
  installLog().outcome(
      "uninstall entry", refused == 0,
      "HKEY_CURRENT_USER\\" + key + (refused ? ", " + std::to_string(refused) + " of 8 values refused" : ""),
      clock.elapsed());
}

void InstallerFinishing::openReadMe(const std::string& path, const std::string& directory) {
  // The shell is not asked for a file no program opens: it would ask the
  // user for one. Opened directly, such a file fails silently instead.
  const char* notAsked = hasOpenCommand(path) ? nullptr : "no program opens such a file";
  if (!startsItself(path, directory, "open read-me", "the read-me was not opened", notAsked)) return;
  // No error dialog: a read-me without an associated program must not hold
  // the installer open in front of a message nobody asked for.
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI;
  execute.lpVerb = "open";
  execute.lpFile = path.c_str();
  execute.lpDirectory = directory.c_str();
  execute.nShow = SW_SHOWNORMAL;
  const bool opened = ShellExecuteExA(&execute);
  installLog().outcome("open read-me", opened, path + "; " + describeLaunch(elevation_, LaunchRoute::Direct),
                       std::nullopt, GetLastError());
}

void InstallerFinishing::terminate() { terminateInstaller(); }

}  // namespace talvek
