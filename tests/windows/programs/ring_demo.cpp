// Shows the installer's progress ring still, at a given percentage, on a
// window made like the installer's, so a screenshot can hold how the ring
// looks while installing. The ring stops turning once it is drawn.
//   ring_demo [percent] [seconds]
#include <windows.h>

#include <cstdlib>

#include "installer/MainWindow.h"
#include "installer/ProcessLifetime.h"
#include "toolkit/controls/ProgressModel.h"
#include "toolkit/core/ToolkitStartup.h"

int main(int argc, char** argv) {
  using namespace talvek;
  toolkitStartup();
  Form form;
  if (!form.create(main_window::formOptions())) return 1;
  Panel panel;
  panel.create(form.objectId(), main_window::kBackgroundPanelArea, 0);
  ProgressOptions ring = main_window::ringOptions();
  ring.position = static_cast<float>(argc > 1 ? std::atoi(argv[1]) : 42);
  ProgressIndicator indicator;
  indicator.create(panel.handle, main_window::ringArea(), ring);
  indicator.killTimer(kSpinTimerKey);
  form.layeredMode(true, true);
  form.repaintAll();
  form.show(true);
  pumpMessagesFor(1000u * (argc > 2 ? std::atoi(argv[2]) : 30));
  return 0;
}
