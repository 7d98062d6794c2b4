// What a publisher's payload archive must be for every user's installation
// to succeed, checked when the installer is built: the entries read as the
// installer reads them (installer/ArchiveReader), and every problem said in
// one line with the entry, what is wrong and how to fix it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talvek {

struct PayloadProblem {
  std::string entry;  // as the archive names it, in UTF-8 for the build's messages
  std::string what;
  std::string fix;
  bool refuses = true;  // false: a warning only
};

struct PayloadCodec {
  // UTF-8 in the installer's code page (GBK); nothing without a spelling.
  std::function<std::optional<std::string>(std::string_view utf8)> utf8ToGbk;
  // GBK in UTF-8; nothing when the bytes are no GBK text.
  std::function<std::optional<std::string>(std::string_view gbk)> gbkToUtf8;
  // The entries' data deflated as well as the build can, in bytes; nothing
  // skips the comparison.
  std::function<std::optional<std::uint64_t>(std::span<const std::uint8_t> data)> bestDeflateSize;
};

// The longest default installation folder: a 32-bit program on a 64-bit
// Windows sees "Program Files (x86)".
inline constexpr std::string_view kLongestDefaultFolder = "C:\\Program Files (x86)\\Talvek\\";
// A path of more characters than this fails in the installer's calls.
inline constexpr std::size_t kPathLimit = 259;

std::vector<PayloadProblem> checkPayload(std::span<const std::uint8_t> archive, const PayloadCodec& codec);

// A component Windows cannot hold as a file or folder name: a reserved
// device name with any extension, a trailing dot or space, a character of
// <>:"|?* or a control character. `component` is in GBK.
bool windowsRefusesName(std::string_view component);

}  // namespace talvek
