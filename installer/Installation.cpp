#include "installer/Installation.h"

#include <windows.h>

#include "installer/BoundedRepeat.h"
#include "installer/InstallerState.h"
#include "installer/PayloadFile.h"
#include "installer/ProcessControl.h"
#include "installer/ProcessLifetime.h"
#include "installer/ProductFiles.h"
#include "installer/ZipExtractor.h"
#include "installer/PathChecks.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

constexpr unsigned kNetrelayWaitMs = 100;
constexpr unsigned kSweepStepMs = 10;
constexpr int kWriteFailedProgress = 2;
constexpr int kExtractFailedProgress = 99;

}  // namespace

Installation::Installation(InstallationView& view, FinishingSteps& finishing, ServiceWindow& service,
                           std::span<const std::uint8_t> payload)
    : view_(view), finishing_(finishing), service_(service), payload_(payload) {
  service_.setRelayHandler([this] { extractAndFinish(); });
}

bool Installation::startInstallation() {
  Handle thread(CreateThread(nullptr, 0, &Installation::workerEntry, this, 0, nullptr));
  // Without a worker nothing is written; the user gets the window back.
  if (!thread) reportWriteFailure();
  return static_cast<bool>(thread);
}

void Installation::reportWriteFailure() {
  view_.setStatus(status::kWriteFailed);
  view_.setProgress(kWriteFailedProgress);
  view_.restoreWindow();
}

void Installation::reportExtractFailure() {
  view_.restoreWindow();
  view_.setStatus(status::kExtractFailed);
  view_.setProgress(kExtractFailedProgress);
}

unsigned long __stdcall Installation::workerEntry(void* self) {
  try {
    static_cast<Installation*>(self)->runWorker();
  } catch (...) {
    // A thread entry must not unwind into the system.
  }
  return 0;
}

void Installation::stopProductProcesses() {
  stopProcess(product::kMainExe);
  repeatWhileBounded([] { return processExists(product::kNetrelayExe); },
                     [] {
                       stopProcess(product::kNetrelayExe);
                       Sleep(kNetrelayWaitMs);
                     },
                     kMaxNetrelayStops);
  stopProcess(product::kBeaconExe);
}

void Installation::runWorker() {
  const std::string dir = installerState().installDir;
  stopProductProcesses();
  view_.setStatus(status::kWritingArchive);
  if (writeWholeFile(dir + product::kArchiveFile, payload_)) {
    view_.setStatus(status::kArchiveWritten);
    // A relay that never ran, or broke off, must not leave the window
    // disabled with no way to close it.
    if (!service_.relay()) reportExtractFailure();
  } else {
    reportWriteFailure();
  }
}

void Installation::extractAndFinish() {
  const std::string dir = installerState().installDir;
  view_.setStatus(status::kStarting);
  letWaitingMessagesRun();

  const std::string archive = dir + product::kArchiveFile;
  if (!extractZip(archive, dir, [this](int percent) { view_.setProgress(percent); })) {
    reportExtractFailure();
    return;
  }
  // The sweep after the real work lets the user see the ring complete.
  for (int percent = 1; percent <= 100; ++percent) {
    view_.setProgress(percent);
    pumpMessagesFor(kSweepStepMs);
  }

  finishing_.registerComponent(dir);
  finishing_.createChosenShortcuts(dir);
  view_.setStatus(status::kStartingProduct);
  finishing_.startProduct(dir);
  view_.setStatus(status::kRegistering);
  finishing_.writeUninstallEntry(dir);
  view_.setStatus(status::kCompleting);
  DeleteFileA(archive.c_str());
  // The doubled separator after installDir is harmless and kept as shipped.
  const std::string readMe = dir + "\\" + product::kReadMe;
  if (pathExists(readMe)) finishing_.openReadMe(readMe);
  finishing_.terminate();
}

}  // namespace talvek
