#include "installer/InstallerFinishing.h"

#include <windows.h>

#include <shellapi.h>

#include "installer/InstallDateText.h"
#include "installer/InstallLog.h"
#include "installer/ProcessLifetime.h"
#include "installer/ProductFiles.h"
#include "installer/Shortcuts.h"
#include "installer/SpecialFolder.h"
#include "installer/SystemVersion.h"
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

}  // namespace

InstallerFinishing::InstallerFinishing(InstallationView& view, const InstallOptions& options,
                                       SystemIntegration& integration)
    : view_(view), options_(options), integration_(integration) {}

void InstallerFinishing::registerComponent(const std::string& installDir) {
  const std::string handler = installDir + product::kBeaconPath;
  for (int root : kProtocolRoots) {
    if (integration_.isProtocolRegistered(kProtocolName, root)) {
      installLog().record("register protocol", "skipped", std::string(kRootNames[root]) + ": already registered");
      continue;
    }
    view_.setStatus(status::kRegisteringComponent);
    const StepClock clock;
    const bool registered = integration_.registerProtocol(kProtocolName, handler, root);
    installLog().outcome("register protocol", registered, std::string(kRootNames[root]) + ": " + handler, clock.elapsed());
  }
}

void InstallerFinishing::createChosenShortcuts(const std::string& installDir) {
  // The shortcut objects are COM; the UI thread may already have it up.
  ComApartment com;
  const std::string target = installDir + product::kMainExe;
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
    installLog().outcome("desktop shortcut", createDesktopShortcut({kDesktopShortcutName, target}),
                         std::string(kDesktopShortcutName) + ".lnk -> " + target, clock.elapsed());
  }
  if (options_.startMenuShortcuts()) {
    view_.setStatus(status::kStartMenuShortcuts);
    const StepClock clock;
    const std::string programs = specialFolder(kFolderPrograms);
    CreateDirectoryA((programs + "Talvek").c_str(), nullptr);
    const std::string menuLink = specialFolder(kFolderStartMenu) + "Talvek.lnk";
    const std::string programsLink = programs + "Talvek\\启动Talvek.lnk";
    const bool menuMade = createShellLink({menuLink, target});
    const bool programsMade = createShellLink({programsLink, target});
    installLog().outcome("start-menu shortcuts", menuMade && programsMade,
                         menuLink + (menuMade ? " made, " : " FAILED, ") + programsLink + (programsMade ? " made" : " FAILED"),
                         clock.elapsed());
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
  const bool started =
      CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
  installLog().outcome("start product", started, commandLine, std::nullopt, GetLastError());
  if (!started) return;
  Handle process(info.hProcess);
  Handle thread(info.hThread);
  const StepClock clock;
  const DWORD waited = WaitForInputIdle(process.get(), kProductIdleWaitMs);
  installLog().record("product idle wait", waited == 0 ? "idle" : waited == WAIT_TIMEOUT ? "timeout" : "FAILED",
                      "at most 1000 ms", clock.elapsed(), waited == WAIT_FAILED ? GetLastError() : 0);
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
  write("UninstallString", installDir + product::kRemoverExe);
  installLog().outcome("uninstall entry", refused == 0,
                       "HKEY_CURRENT_USER\\" + key + (refused ? ", " + std::to_string(refused) + " of 8 values refused" : ""),
                       clock.elapsed());
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
  const bool opened = ShellExecuteExA(&execute);
  installLog().outcome("open read-me", opened, path, std::nullopt, GetLastError());
}

void InstallerFinishing::terminate() { terminateInstaller(); }

}  // namespace talvek
