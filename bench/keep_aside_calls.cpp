// What each kind of call the keep-aside makes costs per file under Wine,
// run by bench/extract_bench.py over an earlier installation.
//
//   keep_aside_calls DIR   DIR holds an earlier installation; it is changed
//                          (files moved aside and back, rewritten) but left
//                          with the same names
// Prints "name microseconds-per-file" lines.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct Tree {
  std::vector<std::string> folders;  // with a trailing separator
  std::vector<std::string> files;
};

void collect(const std::string& dir, Tree& tree) {
  tree.folders.push_back(dir);
  WIN32_FIND_DATAA found{};
  HANDLE find = FindFirstFileA((dir + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      collect(dir + name + "\\", tree);
    } else {
      tree.files.push_back(dir + name);
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

HANDLE openForQuery(const std::string& path) {
  return CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

void report(const char* name, double ms, std::size_t count) {
  std::printf("%s %.1f\n", name, count ? ms * 1000.0 / static_cast<double>(count) : 0.0);
}

// Each file's path with ".aside" appended: a rename in the same folder.
std::string aside(const std::string& path) { return path + ".aside"; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: keep_aside_calls DIR\n");
    return 2;
  }
  std::string dir = argv[1];
  if (dir.back() != '\\') dir += '\\';
  Tree tree;
  collect(dir, tree);
  const auto& files = tree.files;
  const std::size_t n = files.size();
  std::printf("files %zu\nfolders %zu\n", n, tree.folders.size());

  using talvek::bench::timeRounds;
  report("attributes", timeRounds(static_cast<int>(n), [&](int i) {
           WIN32_FILE_ATTRIBUTE_DATA data;
           GetFileAttributesExA(files[i].c_str(), GetFileExInfoStandard, &data);
         }), n);
  std::vector<HANDLE> handles(n);
  report("open", timeRounds(static_cast<int>(n), [&](int i) { handles[i] = openForQuery(files[i]); }), n);
  char name[2 * MAX_PATH];
  report("final-name-dos", timeRounds(static_cast<int>(n), [&](int i) {
           GetFinalPathNameByHandleA(handles[i], name, sizeof name, 0);
         }), n);
  report("final-name-nt", timeRounds(static_cast<int>(n), [&](int i) {
           GetFinalPathNameByHandleA(handles[i], name, sizeof name, VOLUME_NAME_NT);
         }), n);
  report("name-info", timeRounds(static_cast<int>(n), [&](int i) {
           alignas(8) char buffer[sizeof(FILE_NAME_INFO) + 2 * MAX_PATH * sizeof(WCHAR)];
           GetFileInformationByHandleEx(handles[i], FileNameInfo, buffer, sizeof buffer);
         }), n);
  report("close", timeRounds(static_cast<int>(n), [&](int i) { CloseHandle(handles[i]); }), n);
  report("enumerate", timeRounds(static_cast<int>(tree.folders.size()), [&](int i) {
           WIN32_FIND_DATAW found;
           const std::wstring pattern = std::wstring(tree.folders[i].begin(), tree.folders[i].end()) + L"*";
           HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                          FIND_FIRST_EX_LARGE_FETCH);
           while (find != INVALID_HANDLE_VALUE && FindNextFileW(find, &found)) {
           }
           if (find != INVALID_HANDLE_VALUE) FindClose(find);
         }), n);
  report("move-by-name", timeRounds(static_cast<int>(n), [&](int i) {
           MoveFileExA(files[i].c_str(), aside(files[i]).c_str(), 0);
         }), n);
  // Back by handle: open for deletion, rename through the handle, close.
  report("move-by-handle", timeRounds(static_cast<int>(n), [&](int i) {
           HANDLE file = CreateFileA(aside(files[i]).c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
           const std::wstring target = L"\\??\\" + std::wstring(files[i].begin(), files[i].end());
           std::vector<char> info(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(WCHAR));
           auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(info.data());
           rename->FileNameLength = static_cast<DWORD>(target.size() * sizeof(WCHAR));
           target.copy(rename->FileName, target.size());
           SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(info.size()));
           CloseHandle(file);
         }), n);
  report("overwrite", timeRounds(static_cast<int>(n), [&](int i) {
           HANDLE file = CreateFileA(files[i].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
           CloseHandle(file);
           SetFileAttributesA(files[i].c_str(), FILE_ATTRIBUTE_NORMAL);
         }), n);
  report("delete", timeRounds(static_cast<int>(n), [&](int i) { DeleteFileA(files[i].c_str()); }), n);
  report("create-new", timeRounds(static_cast<int>(n), [&](int i) {
           HANDLE file = CreateFileA(files[i].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
           CloseHandle(file);
         }), n);
  HANDLE journal = CreateFileA((dir + "journal.bench").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  report("journal-line-flushed", timeRounds(static_cast<int>(n), [&](int i) {
           DWORD written = 0;
           WriteFile(journal, files[i].data(), static_cast<DWORD>(files[i].size()), &written, nullptr);
           FlushFileBuffers(journal);
         }), n);
  CloseHandle(journal);
  DeleteFileA((dir + "journal.bench").c_str());
  report("create-folder", timeRounds(static_cast<int>(tree.folders.size()), [&](int i) {
           CreateDirectoryA((tree.folders[i] + "bench.new").c_str(), nullptr);
         }), tree.folders.size());
  for (const auto& folder : tree.folders) RemoveDirectoryA((folder + "bench.new").c_str());
  return 0;
}
