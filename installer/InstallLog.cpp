#include "installer/InstallLog.h"

#include <windows.h>

#include "installer/SystemVersion.h"
#include "installer/WideDecimal.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/NumberText.h"

namespace talvek {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr int kFreshNameAttempts = 16;

std::uint64_t ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::string utf8FromSystemCodePage(std::string_view text) { return fromWide(toWide(text), CP_UTF8); }

std::wstring defaultPath() {
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  return std::wstring(folder, length) + InstallLog::kFileName;
}

// What the support person needs to place the log: when, which program,
// which system.
std::string openingDetail() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const auto two = [](WORD part) { return paddedDecimal(part, 2, '0'); };
  const std::string when = paddedDecimal(now.wYear, 4, '0') + "-" + two(now.wMonth) + "-" + two(now.wDay) + " " +
                           two(now.wHour) + ":" + two(now.wMinute) + ":" + two(now.wSecond) + " local time";
  wchar_t program[MAX_PATH + 1] = L"";
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  return when + ", " + fromWide(program, CP_UTF8) + ", Windows version code " +
         std::to_string(windowsVersionCode());
}

// A file of our own beside `path`, under a name nobody else had: made with
// CREATE_NEW, so whatever already lies there, link or not, is never opened.
Handle createFreshBeside(const std::wstring& path, std::wstring& freshPath) {
  for (int attempt = 0; attempt < kFreshNameAttempts; ++attempt) {
    freshPath = path + L"." + wideDecimal(GetCurrentProcessId()) + L"-" +
                wideDecimal(static_cast<unsigned long>(attempt)) + L".new";
    // Readable while the installer runs; not writable by anyone else.
    Handle file(CreateFileW(freshPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return {};
}

}  // namespace

bool InstallLog::open() { return open(defaultPath()); }

bool InstallLog::open(const std::wstring& path) {
  std::lock_guard lock(mutex_);
  file_.reset();
  budget_ = LogBudget(kLimitBytes);
  if (path.empty()) return false;
  // The temporary folder is the user's: the old log may have been replaced
  // by a link (symbolic or hard) to a file the installer must not write, and
  // not every system shows such a link as one. Renaming our own file over
  // the name replaces the name itself, never what it pointed to.
  std::wstring freshPath;
  Handle fresh = createFreshBeside(path, freshPath);
  if (!fresh) return false;
  file_ = std::move(fresh);
  // A log without its opening lines reads as somebody else's file: say it
  // could not be written, and leave no file behind.
  LogLine opened;
  opened.atMs = msSinceStart();
  opened.step = "log opened";
  opened.result = "ok";
  opened.detail = openingDetail();
  if (!writeText(kByteOrderMark + logHeaderLine()) || !writeLine(opened) ||
      !MoveFileExW(freshPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    file_.reset();
    DeleteFileW(freshPath.c_str());
    return false;
  }
  return true;
}

void InstallLog::record(std::string_view step, std::string_view result, std::string_view detail,
                        std::optional<std::uint32_t> tookMs, std::uint32_t errorCode) {
  std::lock_guard lock(mutex_);
  if (!file_) return;
  LogLine line;
  line.atMs = msSinceStart();
  line.step = std::string(step);
  line.result = std::string(result);
  line.tookMs = tookMs;
  line.detail = utf8FromSystemCodePage(detail);
  if (errorCode != 0) {
    line.errorCode = errorCode;
    line.errorText = systemMessage(errorCode);
  }
  writeLine(line);
}

void InstallLog::outcome(std::string_view step, bool ok, std::string_view detail, std::optional<std::uint32_t> tookMs,
                         std::uint32_t errorCode) {
  record(step, ok ? "ok" : "FAILED", detail, tookMs, ok ? 0 : errorCode);
}

bool InstallLog::writeLine(const LogLine& line) { return writeText(formatLogLine(line)); }

bool InstallLog::writeText(const std::string& utf8) {
  const std::string admitted = budget_.admit(utf8);
  if (admitted.empty()) return utf8.empty();
  DWORD written = 0;
  // A failed write (disk full) is not retried: the log never holds up the
  // installation.
  return WriteFile(file_.get(), admitted.data(), static_cast<DWORD>(admitted.size()), &written, nullptr) &&
         written == admitted.size();
}

std::uint32_t InstallLog::msSinceStart() {
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  GetSystemTimeAsFileTime(&now);
  if (ticks(now) < ticks(created)) return 0;
  return static_cast<std::uint32_t>((ticks(now) - ticks(created)) / 10000);
}

std::string InstallLog::systemMessage(std::uint32_t errorCode) {
  wchar_t buffer[1024];
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, errorCode, 0,
                                      buffer, sizeof buffer / sizeof buffer[0], nullptr);
  if (length == 0) return {};
  return fromWide(std::wstring_view(buffer, length), CP_UTF8);
}

InstallLog& installLog() {
  static InstallLog log;
  return log;
}

}  // namespace talvek
