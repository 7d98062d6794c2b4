#include "installer/PayloadCheck.h"

#include <algorithm>
#include <array>
#include <map>

#include "installer/ArchiveReader.h"
#include "installer/GbkPath.h"
#include "installer/LogLine.h"
#include "installer/ProductFiles.h"

namespace talvek {
namespace {

constexpr char kRepack[] = "re-pack it with payload_zip, or with a tool that flags UTF-8 names";
// Far enough from the best deflate to be worth a word, not a refusal.
constexpr double kLooseDeflate = 1.1;
constexpr std::uint64_t kLooseDeflateBytes = 64 * 1024;

bool isLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// The characters of a GBK text: one byte each below 0x80, two from a lead
// byte on. Calls `each` with a character's first byte and its width.
template <typename Each>
void forEachCharacter(std::string_view gbk, Each each) {
  for (std::size_t i = 0; i < gbk.size();) {
    const std::size_t width = isLeadByte(static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size() ? 2 : 1;
    each(gbk.substr(i, width));
    i += width;
  }
}

std::size_t characterCount(std::string_view gbk) {
  std::size_t count = 0;
  forEachCharacter(gbk, [&](std::string_view) { ++count; });
  return count;
}

// Letter case folded as the file system folds it for these names: ASCII
// letters only, two-byte characters kept.
std::string folded(std::string_view gbk) {
  std::string out;
  forEachCharacter(gbk, [&](std::string_view character) {
    for (char c : character) out += character.size() == 1 && c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  });
  return out;
}

bool isDeviceName(std::string_view component) {
  const std::string base = folded(component.substr(0, component.find('.')));
  static constexpr std::array<std::string_view, 4> kPlain{"CON", "PRN", "AUX", "NUL"};
  if (std::find(kPlain.begin(), kPlain.end(), base) != kPlain.end()) return true;
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' && base[3] <= '9';
}

std::vector<std::string_view> components(std::string_view relative) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t offset : separatorOffsets(relative)) {
    parts.push_back(relative.substr(start, offset - start));
    start = offset + 1;
  }
  parts.push_back(relative.substr(start));
  return parts;
}

class Checker {
 public:
  Checker(const PayloadCodec& codec, std::vector<PayloadProblem>& problems) : codec_(codec), problems_(problems) {}

  void entry(const ArchiveEntry& entry, ArchiveReader& reader) {
    // As its maker spelled it: bytes that are UTF-8 are shown so, flagged or not.
    shown_ = entry.utf8Flag || validUtf8(entry.rawName) == entry.rawName
                 ? entry.rawName
                 : codec_.gbkToUtf8(entry.rawName).value_or(entry.rawName);
    if (!checkName(entry)) return;
    if (entry.method != ArchiveReader::kStored && entry.method != ArchiveReader::kDeflated) {
      refuse("compressed with method " + std::to_string(entry.method) +
                 " (bzip2 is 12, LZMA 14), which the installer cannot inflate",
             "re-pack it with payload_zip, or with deflate only (zip -Z deflate)");
    } else if (entry.encrypted) {
      refuse("is encrypted, and the installer has no password", "re-pack it without a password");
    } else if (!entry.directory) {
      checkData(entry, reader);
    }
    place(entry);
  }

  void finish() {
    for (const char* member : {product::kMainExe, product::kRemoverExe, product::kReadMe, product::kBeaconPath}) {
      const auto found = places_.find(folded(member));
      if (found == places_.end() || found->second.directory) {
        shown_ = codec_.gbkToUtf8(member).value_or(member);
        refuse("is missing, and the installer relies on it", "add it to the product tree at that place");
      }
    }
    if (deflated_ > best_ * kLooseDeflate && deflated_ - best_ > kLooseDeflateBytes) {
      problems_.push_back({"the archive",
                           "its data takes " + std::to_string(deflated_) + " bytes where deflate at its best takes " +
                               std::to_string(best_),
                           "re-pack it with payload_zip (the build does so for a product tree)", false});
    }
  }

 private:
  struct Place {
    std::string shown;
    bool directory;
  };

  void refuse(std::string what, std::string fix) { problems_.push_back({shown_, std::move(what), std::move(fix)}); }

  // False when the name is unusable: nothing more is said of the entry.
  bool checkName(const ArchiveEntry& entry) {
    if (!entry.name) {
      refuse("is flagged as UTF-8 but has no GBK spelling, and the installer forms its paths in GBK",
             "rename it with characters GBK has");
      return false;
    }
    const bool plainAscii = std::all_of(entry.rawName.begin(), entry.rawName.end(),
                                        [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!entry.utf8Flag && !plainAscii) {
      const auto asGbk = codec_.gbkToUtf8(entry.rawName);
      if (validUtf8(entry.rawName) == entry.rawName && asGbk != entry.rawName) {
        refuse("is not flagged as UTF-8 but its bytes are UTF-8; the installer reads them as GBK" +
                   (asGbk ? ", \"" + *asGbk + "\"" : std::string(", and they are no GBK text")),
               kRepack);
        return false;
      }
      if (!asGbk) {
        refuse("is no GBK text, which the installer reads names as", kRepack);
        return false;
      }
    }
    if (!entry.relative) {
      refuse("would leave the installation folder (absolute, a drive, or \"..\")",
             "rename it below the product's folder");
      return false;
    }
    for (std::string_view part : components(*entry.relative)) {
      if (!windowsRefusesName(part)) continue;
      refuse("has \"" + codec_.gbkToUtf8(part).value_or(std::string(part)) +
                 "\", a name Windows cannot hold (a device name, a trailing dot or space, or one of <>:\"|?*)",
             "rename it");
      return false;
    }
    const std::size_t length = kLongestDefaultFolder.size() + characterCount(*entry.relative);
    if (length > kPathLimit) {
      refuse("is " + std::to_string(length) + " characters long under " + std::string(kLongestDefaultFolder) +
                 ", past the system's limit of " + std::to_string(kPathLimit),
             "shorten its folders or its name");
    }
    return true;
  }

  void checkData(const ArchiveEntry& entry, ArchiveReader& reader) {
    data_.clear();
    if (!reader.readCurrent(
            [&](std::span<const std::uint8_t> slice) { data_.insert(data_.end(), slice.begin(), slice.end()); })) {
      refuse("does not inflate to its stated size and checksum", "the archive is damaged: make it again");
      return;
    }
    if (!codec_.bestDeflateSize) return;
    deflated_ += entry.compressedSize;
    best_ += std::min<std::uint64_t>(codec_.bestDeflateSize(data_).value_or(entry.compressedSize), entry.size);
  }

  // Windows holds one file or folder per name, whatever its letter case.
  void place(const ArchiveEntry& entry) {
    const std::string& relative = *entry.relative;
    for (std::size_t offset : separatorOffsets(relative)) {
      claim(relative.substr(0, offset), true);
    }
    claim(relative, entry.directory);
  }

  void claim(const std::string& relative, bool directory) {
    const auto [found, added] = places_.try_emplace(folded(relative), Place{shown_, directory});
    if (added || (directory && found->second.directory)) return;
    if (directory != found->second.directory) {
      refuse("is a file and a folder at once with \"" + found->second.shown + "\"", "rename one of them");
    } else {
      refuse("names the same file as \"" + found->second.shown + "\" when letter case is ignored",
             "keep one of them, or rename one");
    }
  }

  const PayloadCodec& codec_;
  std::vector<PayloadProblem>& problems_;
  std::string shown_;
  std::map<std::string, Place> places_;
  std::vector<std::uint8_t> data_;
  std::uint64_t deflated_ = 0;
  std::uint64_t best_ = 0;
};

}  // namespace

bool windowsRefusesName(std::string_view component) {
  if (component.empty() || isDeviceName(component)) return true;
  bool refused = false;
  std::string_view last;
  forEachCharacter(component, [&](std::string_view character) {
    last = character;
    const unsigned char first = static_cast<unsigned char>(character[0]);
    refused = refused || (character.size() == 1 &&
                          (first < 0x20 || std::string_view("<>:\"|?*").find(character[0]) != std::string_view::npos));
  });
  return refused || last == "." || last == " ";
}

std::vector<PayloadProblem> checkPayload(std::span<const std::uint8_t> archive, const PayloadCodec& codec) {
  std::vector<PayloadProblem> problems;
  ArchiveReader reader(archive, codec.utf8ToGbk);
  Checker checker(codec, problems);
  if (!reader.forEach([&](const ArchiveEntry& entry) {
        checker.entry(entry, reader);
        return true;
      })) {
    problems.push_back({"the archive", "its central directory cannot be read", "make the archive again"});
    return problems;
  }
  checker.finish();
  return problems;
}

}  // namespace talvek
