// The cost of keeping an earlier version aside, run under Wine by
// bench/extract_bench.py.
//
//   keep_aside_bench plain ZIP DIR     extract the archive's bytes into DIR
//   keep_aside_bench guarded ZIP DIR   the same as the installation does it:
//                                      keep-aside folder, plan, moves, commit
// Prints "name milliseconds" and "removal milliseconds": the part of the
// removal of kept paths still running after the commit; guarded also the
// phases up to it (begin, archive listing, folder listing, plan, carrying
// out, extraction, commit).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "installer/ArchiveListing.h"
#include "installer/FolderListing.h"
#include "installer/KeepAside.h"
#include "installer/ZipExtractor.h"

namespace {

std::vector<std::uint8_t> readAll(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD got = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  return bytes;
}

// Returns false on failure; `removalMs` is how long the removal of the kept
// paths ran on after the commit, which the installer overlaps with the
// ring's closing sweep of a second.
bool guardedRun(const std::vector<std::uint8_t>& payload, const std::string& dir, double& removalMs) {
  const double start = talvek::bench::nowMs();
  talvek::FolderRoot root;
  talvek::Handle held;
  if (talvek::holdRoot(dir, root, held) != talvek::LinkSafe::Done) return false;
  talvek::KeepAside keepAside;
  keepAside.begin(root, held.get());
  const double begun = talvek::bench::nowMs();
  const auto entries = talvek::listArchive(payload);
  if (!entries) return false;
  const double listed = talvek::bench::nowMs();
  // Listed ahead only to time it apart; the plan lists what it needs.
  talvek::FolderListing listing(root);
  if (auto top = listing.contents(""))
    for (const auto& item : *top) listing.contents(item.name);
  const double enumerated = talvek::bench::nowMs();
  const auto plan = listing.plan(*entries);
  const double planned = talvek::bench::nowMs();
  std::printf("enumerate %.2f\n", enumerated - listed);
  std::printf("begin %.2f\nlist %.2f\n", begun - start, listed - begun);
  const bool carried = keepAside.carryOut(plan);
  const double carriedOut = talvek::bench::nowMs();
  if (!carried || !talvek::extractZip(payload, root, held.get(), nullptr, nullptr, talvek::ExistingFiles::Refuse)) {
    keepAside.rollBack();
    return false;
  }
  const double extracted = talvek::bench::nowMs();
  keepAside.commit();
  const double committed = talvek::bench::nowMs();
  std::printf("plan %.2f\ncarry %.2f\nextract %.2f\ncommit %.2f\n", planned - start, carriedOut - planned,
              extracted - carriedOut, committed - extracted);
  keepAside.finish(true, INFINITE);
  removalMs = talvek::bench::nowMs() - committed;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: keep_aside_bench plain|guarded ZIP DIR\n");
    return 2;
  }
  const std::string mode = argv[1];
  std::string dir = argv[3];
  if (dir.back() != '\\') dir += '\\';
  const auto payload = readAll(argv[2]);
  const double start = talvek::bench::nowMs();
  double removalMs = 0;
  const bool ok = mode == "guarded" ? guardedRun(payload, dir, removalMs) : talvek::extractZip(payload, dir, nullptr);
  // Up to the commit: what the user waits for before the sweep starts.
  std::printf("%s %.2f\n", mode.c_str(), talvek::bench::nowMs() - start - removalMs);
  std::printf("removal %.2f\n", removalMs);
  return ok ? 0 : 1;
}
