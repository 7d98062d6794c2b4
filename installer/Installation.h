// The installation from the worker thread to the end of the process: stop
// the product, write the archive, then on the UI thread extract it and run
// the finishing steps.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "installer/FinishingSteps.h"
#include "installer/InstallFolder.h"
#include "installer/InstallationView.h"
#include "installer/KeepAside.h"
#include "installer/ProgressPacer.h"
#include "installer/ServiceWindow.h"
#include "installer/ZipExtractor.h"

namespace talvek {

namespace status {
inline constexpr char kWritingArchive[] = "开始释放文件...！";
inline constexpr char kWriteFailed[] = "释放文件失败！";
inline constexpr char kArchiveWritten[] = "正在清理旧版本残留冲突数据！";
inline constexpr char kStarting[] = "即将开启Talvek之旅...";
inline constexpr char kExtractFailed[] = "解压失败，请检查目录是否有写入权限！";
inline constexpr char kStartingProduct[] = "设置系统主页...";
inline constexpr char kRegistering[] = "注册组件...！";
inline constexpr char kCompleting[] = "完成安装...！";
}  // namespace status

class Installation {
 public:
  // A netrelay that cannot be ended must not hold the installation forever.
  static constexpr int kMaxNetrelayStops = 50;

  // Binds itself as the service window's relay handler.
  Installation(InstallationView& view, FinishingSteps& finishing, ServiceWindow& service,
               std::span<const std::uint8_t> payload);

  // UI thread, after installDir is set: starts the worker and returns.
  bool startInstallation();

  // What the installation replaces is kept here until it has succeeded;
  // directory preparation already keeps the old program in it.
  KeepAside& keepAside() { return keepAside_; }
  // The installation folder, held by the preparation from its first look
  // until the installer ends.
  InstallFolder& folder() { return folder_; }
  std::span<const std::uint8_t> payload() const { return payload_; }

  // Both run by the worker and the relay; public so tests can drive them.
  void runWorker();
  void extractAndFinish();

 private:
  static unsigned long __stdcall workerEntry(void* self);
  void stopProductProcesses();
  void reportWriteFailure();
  void reportExtractFailure();
  bool extractWithKeepAside(const std::string& dir, ExtractionReport& report, ProgressPacer& pacer);
  // Puts back what was kept, and lets go of the folder (removed when the
  // click made it and nothing is left in it).
  void rollBack();

  InstallationView& view_;
  FinishingSteps& finishing_;
  ServiceWindow& service_;
  std::span<const std::uint8_t> payload_;
  InstallFolder folder_;
  KeepAside keepAside_;
};

}  // namespace talvek
