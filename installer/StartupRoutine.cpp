#include "installer/StartupRoutine.h"

#include <string>

#include "installer/InstallLog.h"
#include "installer/InstanceGuard.h"
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
  buildMainWindow(payload);
  return 0;
}

}  // namespace talvek
