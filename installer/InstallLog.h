// The install log, %TEMP%\TalvekSetup.log: what a support person asks for
// when an installation went wrong. One line per step of start-up and of
// the installation, in UTF-8 with a byte-order mark (Notepad on a Chinese
// system then reads it right), replaced at each run, bounded in size.
// Nothing depends on it: a log that cannot be written is silently absent.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "installer/LogBudget.h"
#include "installer/LogLine.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class InstallLog {
 public:
  static constexpr std::size_t kLimitBytes = 256 * 1024;
  static constexpr wchar_t kFileName[] = L"TalvekSetup.log";

  // Replaces the file at `path` (default: the temporary folder) and writes
  // its opening lines. False when it cannot be created or its opening lines
  // cannot be written; every later call then does nothing.
  bool open();
  bool open(const std::wstring& path);
  bool isOpen() const { return static_cast<bool>(file_); }

  // One line. Step and result are plain ASCII words; the detail is in the
  // system code page, as the installer holds its texts and paths. A
  // non-zero errorCode is named with the system's message for it.
  void record(std::string_view step, std::string_view result, std::string_view detail = {},
              std::optional<std::uint32_t> tookMs = std::nullopt, std::uint32_t errorCode = 0);
  // "ok", or "FAILED" with the error code (0: none known).
  void outcome(std::string_view step, bool ok, std::string_view detail = {},
               std::optional<std::uint32_t> tookMs = std::nullopt, std::uint32_t errorCode = 0);

  // Milliseconds since this process was created.
  static std::uint32_t msSinceStart();
  // The system's message text for an error code, in UTF-8; empty if none.
  static std::string systemMessage(std::uint32_t errorCode);

 private:
  // False when the text did not reach the file whole.
  bool writeText(const std::string& utf8);
  bool writeLine(const LogLine& line);

  std::mutex mutex_;
  Handle file_;
  LogBudget budget_{kLimitBytes};
};

// The process's one log; both the UI thread and the worker write to it.
InstallLog& installLog();

// Measures one step for its log line.
class StepClock {
 public:
  StepClock() : started_(InstallLog::msSinceStart()) {}
  std::uint32_t elapsed() const { return InstallLog::msSinceStart() - started_; }

 private:
  std::uint32_t started_;
};

}  // namespace talvek
