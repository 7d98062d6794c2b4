#include "installer/MainWindow.h"

#include "installer/ProcessLifetime.h"
#include "installer/ServiceWindow.h"
#include "toolkit/core/ToolkitStartup.h"

namespace talvek {

void buildMainWindow() {
  toolkitStartup();
  static ServiceWindow service;
  service.create();
  runMessageLoop();
}

}  // namespace talvek
