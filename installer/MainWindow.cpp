#include "installer/MainWindow.h"

#include "installer/ProcessLifetime.h"
#include "installer/ServiceWindow.h"

namespace talvek {

void buildMainWindow() {
  static ServiceWindow service;
  service.create();
  runMessageLoop();
}

}  // namespace talvek
