// Helpers shared by the Windows tests: scratch directories, started
// programs that are always ended, and bounded waiting.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace talvek::test {

// Directory of win_tests.exe, where the build puts everything tests use.
std::string testDataDir();

std::string readFileBytes(const std::string& path);
bool writeFileBytes(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

// A fresh directory below %TEMP%, removed with everything in it afterwards.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  // Ends with a backslash, as the installer's directories do.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A started program, terminated on destruction if still running.
class StartedProgram {
 public:
  StartedProgram(const std::string& exePath, const std::string& arguments = "");
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD id() const { return info_.dwProcessId; }
  bool isRunning() const;
  // Waits at most `ms`; true when the process ended.
  bool waitForExit(DWORD ms) const;
  DWORD exitCode() const;

 private:
  PROCESS_INFORMATION info_{};
};

// A symbolic link planted as someone else would plant it, to a folder or a
// file, and removed (the link itself, never what it points to) on
// destruction. Windows makes one only with the privilege for it; Wine only
// pretends to, so there the host makes it.
class PlantedLink {
 public:
  PlantedLink(const std::string& link, const std::string& target, bool toFolder);
  ~PlantedLink();
  PlantedLink(const PlantedLink&) = delete;
  PlantedLink& operator=(const PlantedLink&) = delete;

  bool planted() const { return planted_; }

 private:
  std::string link_;
  bool toFolder_;
  bool planted_ = false;
};

// Copies the stand-in product program to dir + name (creating dir).
std::string placeStub(const std::string& dir, const std::string& name);

// Polls `condition` every 20 ms for at most `ms`, handling window messages.
bool waitUntil(const std::function<bool()>& condition, DWORD ms);

}  // namespace talvek::test
