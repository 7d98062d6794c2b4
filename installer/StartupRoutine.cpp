#include "installer/StartupRoutine.h"

#include <string>

#include "installer/InstallLog.h"
#include "installer/EnvironmentText.h"
#include "installer/InstallPathRules.h"
#include "installer/InstanceGuard.h"
#include "installer/KeepAside.h"
#include "installer/MainWindow.h"
#include "installer/ProcessLifetime.h"

namespace talvek {

int startupRoutine(std::span<const std::uint8_t> payload) {
  std::string eventName = kInstanceEventName;
  // A second instance disappears silently; the first is not brought forward.
  if (openOrCreateInstanceEvent(eventName)) terminateInstaller();
  // Only the first copy: a second one must not replace the log of the
  // installation that is running.
  installLog().open();
  installLog().record("single instance", "ok", "no other copy runs");
  // An installation into the default folder that was cut short is undone
  // before anything else; one elsewhere is undone when that folder is
  // chosen again.
  KeepAside().recoverIn(defaultInstallDirectory(environmentText(L"ProgramFiles")));
  buildMainWindow(payload);
  return 0;
}

}  // namespace talvek
