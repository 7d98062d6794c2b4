// Extraction benchmark program, run under Wine by bench/extract_bench.py.
//
//   extract_bench extract ZIP DIR   extract as the installer does, counting
//                                   the progress reports that reach the ring
//   extract_bench floor ZIP DIR     inflate every entry into memory, then write
//                                   the files: the in-process floor
//   extract_bench memory ZIP DIR    private memory before and after writing the
//                                   archive (mapped, like the image's data) to DIR
// Prints "name milliseconds" lines.
#include <windows.h>

#include <psapi.h>
#include <unzip.h>

#include <cstdio>
#include <string>
#include <vector>

#include "installer/PayloadFile.h"
#include "installer/ProgressPacer.h"
#include "installer/ZipExtractor.h"

namespace {

double nowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int floorRun(const std::string& zip, const std::string& dir) {
  double start = nowMs();
  unzFile archive = unzOpen64(zip.c_str());
  if (!archive) return 1;
  struct Entry {
    std::string name;
    std::vector<char> data;
  };
  std::vector<Entry> entries;
  for (int status = unzGoToFirstFile(archive); status == UNZ_OK; status = unzGoToNextFile(archive)) {
    unz_file_info64 info{};
    char name[512];
    unzGetCurrentFileInfo64(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0);
    Entry entry{name, std::vector<char>(info.uncompressed_size)};
    unzOpenCurrentFile(archive);
    if (!entry.data.empty()) unzReadCurrentFile(archive, entry.data.data(), static_cast<unsigned>(entry.data.size()));
    unzCloseCurrentFile(archive);
    entries.push_back(std::move(entry));
  }
  unzClose(archive);
  double inflated = nowMs();
  for (auto& entry : entries) {
    for (char& c : entry.name) c = c == '/' ? '\\' : c;
    std::string path = dir + entry.name;
    if (!path.empty() && path.back() == '\\') {
      talvek::createDirectoryTree(path);
      continue;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, entry.data.data(), static_cast<DWORD>(entry.data.size()), &written, nullptr);
    CloseHandle(file);
  }
  double written = nowMs();
  std::printf("inflate %.2f\nwrite %.2f\nfloor %.2f\n", inflated - start, written - inflated, written - start);
  return 0;
}

PROCESS_MEMORY_COUNTERS_EX memoryCounters() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters;
}

int memoryRun(const std::string& zip, const std::string& dir) {
  HANDLE file = CreateFileA(zip.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD size = GetFileSize(file, nullptr);
  HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  auto* bytes = static_cast<const std::uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
  const PROCESS_MEMORY_COUNTERS_EX before = memoryCounters();
  bool ok = talvek::writeWholeFile(dir + "install.zip", {bytes, size});
  const PROCESS_MEMORY_COUNTERS_EX after = memoryCounters();
  // The peak catches a buffer that came and went during the write.
  std::printf("archive_bytes %lu\nprivate_growth_bytes %ld\npeak_private_growth_bytes %ld\nwrite_ok %d\n",
              static_cast<unsigned long>(size),
              static_cast<long>(after.PrivateUsage) - static_cast<long>(before.PrivateUsage),
              static_cast<long>(after.PeakPagefileUsage) - static_cast<long>(before.PeakPagefileUsage),
              ok ? 1 : 0);
  UnmapViewOfFile(bytes);
  CloseHandle(mapping);
  CloseHandle(file);
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: extract_bench extract|floor|memory ZIP DIR\n");
    return 2;
  }
  std::string mode = argv[1], zip = argv[2], dir = argv[3];
  if (dir.back() != '\\') dir += '\\';
  if (mode == "floor") return floorRun(zip, dir);
  if (mode == "memory") return memoryRun(zip, dir);
  // The installer's own progress route, with the window's part left out:
  // how many reports reach the ring.
  // The longest stretch without a report is the longest the ring can stand
  // still for the extraction's sake alone.
  talvek::ProgressPacer pacer({[](int) {}, [] {}, [] { return GetTickCount(); }});
  double start = nowMs();
  double lastReport = start, longest = 0;
  int longestEndedAt = -1;
  bool ok = talvek::extractZip(zip, dir, [&](int percent) {
    const double now = nowMs();
    if (now - lastReport > longest) {
      longest = now - lastReport;
      longestEndedAt = percent;
    }
    lastReport = now;
    pacer.report(percent);
  });
  std::printf("extract %.2f\nprogress_reports %ld\nring_updates %ld\nlongest_between_reports %.2f\n"
              "longest_ended_at_percent %d\n",
              nowMs() - start, pacer.reports(), pacer.updates(), longest, longestEndedAt);
  return ok ? 0 : 1;
}
