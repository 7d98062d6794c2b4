// Checks the payload archive the installer is built around, with the
// installer's own reader and name rules, and refuses the build with one
// line per problem: no user should meet an archive the installer cannot
// install.
//
//   payload_check ARCHIVE.zip
//
// Exit code 0 when the archive is fit (warnings may be printed), 1 when it
// is refused, 2 when it cannot be read at all.
#include <iconv.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installer/PayloadCheck.h"

namespace {

std::optional<std::string> convert(std::string_view text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(text.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

// Level 9 as the build's own packing uses; the zlib wrapper's six bytes do
// not count.
std::optional<std::uint64_t> bestDeflateSize(std::span<const std::uint8_t> data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<Bytef> out(size);
  if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) != Z_OK) {
    return std::nullopt;
  }
  return size > 6 ? size - 6 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: payload_check ARCHIVE.zip\n");
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> archive((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file.good() && !file.eof()) {
    std::fprintf(stderr, "payload check: %s cannot be read\n", argv[1]);
    return 2;
  }
  talvek::PayloadCodec codec;
  codec.utf8ToGbk = [](std::string_view utf8) { return convert(utf8, "GBK", "UTF-8"); };
  codec.gbkToUtf8 = [](std::string_view gbk) { return convert(gbk, "UTF-8", "GBK"); };
  codec.bestDeflateSize = bestDeflateSize;
  int refusals = 0;
  for (const auto& problem : talvek::checkPayload(archive, codec)) {
    std::fprintf(stderr, "payload check: %s%s: %s; %s\n", problem.refuses ? "" : "warning: ", problem.entry.c_str(),
                 problem.what.c_str(), problem.fix.c_str());
    refusals += problem.refuses;
  }
  if (refusals) {
    std::fprintf(stderr, "payload check: %s refused: %d problem%s\n", argv[1], refusals, refusals == 1 ? "" : "s");
  }
  return refusals ? 1 : 0;
}
