// The option boxes of the installer window, read when the finishing steps
// run (the window's check boxes are the only record of them).
#pragma once

namespace talvek {

class InstallOptions {
 public:
  virtual ~InstallOptions() = default;
  virtual bool quickLaunch() const = 0;
  virtual bool desktopShortcut() const = 0;
  virtual bool startMenuShortcuts() const = 0;
};

}  // namespace talvek
