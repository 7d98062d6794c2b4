// The finishing steps as a test sees them: each call recorded, none acting
// on the machine, and the installer's end noted instead of ending the test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "installer/FinishingSteps.h"

namespace talvek::test {

class RecordingSteps : public FinishingSteps {
 public:
  void registerComponent(const std::string& dir) override {
    finishingThread = GetCurrentThreadId();
    calls.push_back("register:" + dir);
  }
  void createChosenShortcuts(const std::string& dir) override { calls.push_back("shortcuts:" + dir); }
  void startProduct(const std::string& dir) override { calls.push_back("start:" + dir); }
  void writeUninstallEntry(const std::string& dir) override { calls.push_back("uninstall:" + dir); }
  void openReadMe(const std::string& path, const std::string&) override { calls.push_back("readme:" + path); }
  void terminate() override {
    calls.push_back("terminate");
    terminated = true;
  }
  std::vector<std::string> calls;
  bool terminated = false;
  DWORD finishingThread = 0;
};

}  // namespace talvek::test
