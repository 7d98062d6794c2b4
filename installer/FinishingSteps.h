// The installation's steps after a successful extraction, on the UI thread.
// None of them reports a result: each runs whatever happened before.
#pragma once

#include <string>

namespace talvek {

class FinishingSteps {
 public:
  virtual ~FinishingSteps() = default;
  // Registers the communication component as the URL-protocol handler.
  virtual void registerComponent(const std::string& installDir) = 0;
  // Quick launch, desktop and start menu, as the option boxes say.
  virtual void createChosenShortcuts(const std::string& installDir) = 0;
  virtual void startProduct(const std::string& installDir) = 0;
  virtual void writeUninstallEntry(const std::string& installDir) = 0;
  // `directory`: the working folder of what shows it.
  virtual void openReadMe(const std::string& path, const std::string& directory) = 0;
  // Ends the installer; the real one never returns.
  virtual void terminate() = 0;
};

}  // namespace talvek
