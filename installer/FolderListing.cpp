#include "installer/FolderListing.h"

#include <windows.h>

#include "installer/GbkPath.h"
#include "installer/KeepAside.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

std::string upperCased(std::string name) {
  if (!name.empty()) CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

Found foundOf(const WIN32_FIND_DATAA& data) {
  if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return {FoundKind::Link, 0};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {FoundKind::Directory, 0};
  return {FoundKind::File, (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

}  // namespace

const FolderListing::Names* FolderListing::namesIn(const std::string& folderRelative) {
  const std::string key = upperCased(folderRelative);
  if (const auto known = folders_.find(key); known != folders_.end()) return &known->second;
  if (unlisted_.count(key)) return nullptr;
  const std::string folder = install_.path + folderRelative + (folderRelative.empty() ? "" : "\\");
  WIN32_FIND_DATAA found{};
  FindHandle find(FindFirstFileExA((folder + "*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH));
  if (!find) {
    unlisted_.insert(key);
    return nullptr;
  }
  Names& names = folders_[key];
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names[upperCased(name)] = {name, foundOf(found)};
  } while (FindNextFileA(find.get(), &found));
  return &names;
}

Found FolderListing::look(const std::string& relative) {
  const std::string name(fileNamePart(relative));
  const Names* names = namesIn(parentDirectory(relative));
  // A short (8.3) name is no listed name and still reaches a file.
  if (!names || name.find('~') != std::string::npos) return KeepAside::look(install_, relative);
  const auto entry = names->find(upperCased(name));
  return entry == names->end() ? Found{} : entry->second.found;
}

std::optional<std::vector<ListedName>> FolderListing::contents(const std::string& relative) {
  const Names* names = namesIn(relative);
  if (!names) return std::nullopt;
  std::vector<ListedName> listed;
  listed.reserve(names->size());
  for (const auto& [key, entry] : *names) listed.push_back({entry.name, entry.found});
  return listed;
}

KeepAsidePlan FolderListing::plan(const std::vector<PlannedEntry>& entries) {
  return planKeepAside(
      entries, [this](const std::string& relative) { return look(relative); },
      [this](const std::string& relative) { return contents(relative); });
}

}  // namespace talvek
