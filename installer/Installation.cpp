#include "installer/Installation.h"

#include <windows.h>

#include "installer/ArchiveListing.h"
#include "installer/BoundedRepeat.h"
#include "installer/FolderListing.h"
#include "installer/InstallLog.h"
#include "installer/InstallerState.h"
#include "installer/LinkSafeFiles.h"
#include "installer/PayloadFile.h"
#include "installer/ProcessControl.h"
#include "installer/ProcessLifetime.h"
#include "installer/ProgressPacer.h"
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
// A turn of the window during the extraction presents and turns the ring;
// anything more waits for the next turn.
constexpr unsigned kWindowTurnLimitMs = 20;
constexpr unsigned long kKeptRemovalWaitMs = 30000;

// "103 entries, 11026053 bytes into C:\...\" or how far it got and why it stopped.
std::string extractionSummary(const std::string& archive, const ExtractionReport& report) {
  std::string text = archive + ": " + std::to_string(report.entries) + " of " + std::to_string(report.total) +
                     " entries, " + std::to_string(report.bytes) + " bytes written";
  if (!report.failure.empty()) text += "; stopped at " + report.failure;
  return text;
}

}  // namespace

Installation::Installation(InstallationView& view, FinishingSteps& finishing, ServiceWindow& service,
                           std::span<const std::uint8_t> payload)
    : view_(view), finishing_(finishing), service_(service), payload_(payload) {
  service_.setRelayHandler([this] { extractAndFinish(); });
}

bool Installation::startInstallation() {
  Handle thread(CreateThread(nullptr, 0, &Installation::workerEntry, this, 0, nullptr));
  // Without a worker nothing is written; the user gets the window back.
  // (A started worker speaks for itself, and may already have.)
  if (!thread) {
    installLog().record("start worker", "FAILED", {}, std::nullopt, GetLastError());
    reportWriteFailure();
  }
  return static_cast<bool>(thread);
}

void Installation::reportWriteFailure() {
  view_.setStatus(status::kWriteFailed);
  view_.setProgress(kWriteFailedProgress);
  view_.restoreWindow();
  installLog().record("window restored", "ok", "progress at 2; only closing is left");
}

void Installation::reportExtractFailure() {
  view_.restoreWindow();
  view_.setStatus(status::kExtractFailed);
  view_.setProgress(kExtractFailedProgress);
  installLog().record("window restored", "ok", "progress at 99; only closing is left");
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
  const StepClock clock;
  const ProcessControl ours(installerState().installDir);
  ours.stopProcess(product::kMainExe);
  int netrelayStops = 0;
  repeatWhileBounded([&] { return ours.processExists(product::kNetrelayExe); },
                     [&] {
                       ours.stopProcess(product::kNetrelayExe);
                       ++netrelayStops;
                       Sleep(kNetrelayWaitMs);
                     },
                     kMaxNetrelayStops);
  ours.stopProcess(product::kBeaconExe);
  installLog().record("stop product", "done",
                      std::string(product::kMainExe) + ", " + product::kNetrelayExe + " (" +
                          std::to_string(netrelayStops) + " stopped), " + product::kBeaconExe + " running from " +
                          installerState().installDir + "; the same names elsewhere are left alone",
                      clock.elapsed());
}

void Installation::rollBack() {
  keepAside_.rollBack();
  folder_.releaseAfterFailure();
}

void Installation::runWorker() {
  const std::string dir = installerState().installDir;
  stopProductProcesses();
  // Held since the install click accepted it; a caller that never asked
  // the preparation has it held here.
  const bool held = folder_.heldAt(dir) || folder_.hold(dir) == InstallFolder::Outcome::Held;
  const DWORD holdError = held ? 0 : GetLastError();
  if (held) keepAside_.beginIn(folder_.root(), folder_.handle());
  view_.setStatus(status::kWritingArchive);
  const StepClock clock;
  const std::string archive = dir + product::kArchiveFile;
  keepAside_.noteArchive(product::kArchiveFile);
  // An old copy in the archive's place goes first, through a handle of its
  // own; a link there stays untouched and fails the write, which must never
  // land anywhere else. The copy is made new: a link planted in between
  // fails it too.
  const bool linked = held && deleteItself(folder_.root(), product::kArchiveFile) == LinkSafe::Link;
  if (linked) installLog().record("write archive", "REFUSED", archive + " is a link");
  const bool written = held && !linked && writeWholeFile(archive, payload_);
  // Taken at once: the other arguments make calls of their own.
  const DWORD writeError = written ? 0 : !held ? holdError : linked ? ERROR_ACCESS_DENIED : GetLastError();
  installLog().outcome("write archive", written, archive + ", " + std::to_string(payload_.size()) + " bytes",
                       clock.elapsed(), writeError);
  if (written) {
    view_.setStatus(status::kArchiveWritten);
    // A relay that never ran, or broke off, must not leave the window
    // disabled with no way to close it.
    if (!service_.relay()) {
      installLog().record("relay to window", "FAILED", "the extraction never ran on the window's thread");
      rollBack();
      reportExtractFailure();
    }
  } else {
    rollBack();
    reportWriteFailure();
  }
}

// The files come from the program's own bytes, not from the copy on disk,
// which anyone able to write to the folder could have changed since it was
// written; the copy must still be there, as the extraction always required.
bool Installation::extractWithKeepAside(const std::string& dir, ExtractionReport& report, ProgressPacer& pacer) {
  const std::string archive = dir + product::kArchiveFile;
  if (!pathExists(archive)) {
    report.failure = "the archive is missing";
    report.systemError = GetLastError();
    return false;
  }
  if (keepAside_.active()) {
    const auto entries = listArchive(payload_);
    const KeepAsidePlan plan = entries ? FolderListing(folder_.root()).plan(*entries) : KeepAsidePlan{};
    pacer.working();
    if (!keepAside_.carryOut(plan, [&pacer] { pacer.working(); })) {
      report.failure = "what the extraction replaces cannot be kept aside";
      return false;
    }
  }
  // With the earlier files aside, anything found where a file goes was put
  // there meanwhile, by someone able to write to the folder.
  const ExistingFiles existing = keepAside_.active() ? ExistingFiles::Refuse : ExistingFiles::Replace;
  return extractZip(
      payload_, folder_.root(), folder_.handle(), [&pacer](int percent) { pacer.report(percent); }, &report, existing);
}

void Installation::extractAndFinish() {
  const std::string dir = installerState().installDir;
  view_.setStatus(status::kStarting);
  letWaitingMessagesRun();

  const std::string archive = dir + product::kArchiveFile;
  ExtractionReport report;
  StepClock clock;
  ProgressPacer pacer({[this](int percent) { view_.setProgress(percent); },
                       [this] {
                         letWaitingMessagesRun(kWindowTurnLimitMs);
                         // The ring turned in that turn; its frame waits for no timer.
                         view_.showWhatIsDrawn();
                       },
                       [] { return GetTickCount(); }});
  const bool extracted = extractWithKeepAside(dir, report, pacer);
  installLog().outcome("extract", extracted, extractionSummary(archive, report), clock.elapsed(), report.systemError);
  if (!extracted) {
    rollBack();
    reportExtractFailure();
    return;
  }
  keepAside_.commit();
  // The sweep after the real work lets the user see the ring complete.
  clock = {};
  for (int percent = 1; percent <= 100; ++percent) {
    view_.setProgress(percent);
    pumpMessagesFor(kSweepStepMs);
  }
  installLog().record("progress sweep", "done", "100 steps of 10 ms", clock.elapsed());

  finishing_.registerComponent(dir);
  finishing_.createChosenShortcuts(dir);
  view_.setStatus(status::kStartingProduct);
  finishing_.startProduct(dir);
  view_.setStatus(status::kRegistering);
  finishing_.writeUninstallEntry(dir);
  view_.setStatus(status::kCompleting);
  const bool deleted = deleteItself(folder_.root(), product::kArchiveFile) == LinkSafe::Done;
  installLog().outcome("delete archive", deleted, archive, std::nullopt, deleted ? 0 : GetLastError());
  // The doubled separator after installDir is harmless and kept as shipped.
  const std::string readMe = dir + "\\" + product::kReadMe;
  if (pathExists(readMe)) {
    finishing_.openReadMe(readMe, dir);
  } else {
    installLog().record("open read-me", "skipped", readMe + " is missing");
  }
  // The committed journal lets the next run finish a removal cut short, and
  // delete an archive left by a run that ended before this point, so the
  // wait is bounded; it has usually ended during the sweep.
  keepAside_.finish(deleted, kKeptRemovalWaitMs);
  installLog().record("end", "ok", "the installer ends with exit code 0");
  finishing_.terminate();
}

}  // namespace talvek
