// What the installation shows while it runs. The main window implements it;
// setStatus and setProgress are also called from the worker thread.
#pragma once

#include <string>

namespace talvek {

class InstallationView {
 public:
  virtual ~InstallationView() = default;
  virtual void setStatus(const std::string& text) = 0;
  virtual void setProgress(int percent) = 0;
  // After a failure: the window is usable again and the close button is back.
  virtual void restoreWindow() = 0;
  // Shows at once what the window drew while it had its turn: during a
  // long piece of work its next turn may be far off.
  virtual void showWhatIsDrawn() {}
};

}  // namespace talvek
