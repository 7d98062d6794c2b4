// The build's check of a publisher's archive, with archives made by hand
// and by a common tool (Python's zipfile), each refusal said in one line.
#include "installer/PayloadCheck.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "installer/ProductFiles.h"

using namespace talvek;

namespace {

std::optional<std::string> convert(std::string_view text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  std::string out(text.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size(), outLeft = out.size();
  char* outPtr = out.data();
  const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

PayloadCodec gbkCodec() {
  return {[](std::string_view utf8) { return convert(utf8, "GBK", "UTF-8"); },
          [](std::string_view gbk) { return convert(gbk, "UTF-8", "GBK"); }, nullptr};
}

struct Entry {
  std::string name;  // bytes as stored
  std::string data;
  int method = Z_DEFLATED;
  unsigned flags = 0;
};

std::vector<std::uint8_t> readAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string tempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

std::vector<std::uint8_t> makeZip(const std::vector<Entry>& entries) {
  const std::string path = tempPath("talvek-payload-check.zip");
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  for (const auto& entry : entries) {
    zip_fileinfo info{};
    info.external_fa = entry.name.ends_with("/") ? 0x10 : 0x20;
    zipOpenNewFileInZip4_64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, entry.method,
                            Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 20,
                            entry.flags, 0);
    zipWriteInFileInZip(zip, entry.data.data(), static_cast<unsigned>(entry.data.size()));
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
  auto bytes = readAll(path);
  std::filesystem::remove(path);
  return bytes;
}

// The members the installer relies on, so a test sees only its own problem.
std::vector<Entry> product() {
  return {{"Talvek.exe", "program"},
          {"Remover.exe", "remover"},
          {product::kReadMe, "read me"},
          {"Auxiliary/", "", 0},
          {"Auxiliary/Beacon.exe", "beacon"}};
}

std::vector<std::string> lines(const std::vector<PayloadProblem>& problems) {
  std::vector<std::string> out;
  for (const auto& p : problems) out.push_back((p.refuses ? "" : "warning: ") + p.entry + ": " + p.what);
  return out;
}

std::vector<PayloadProblem> check(std::vector<Entry> extra) {
  auto entries = product();
  entries.insert(entries.end(), extra.begin(), extra.end());
  return checkPayload(makeZip(entries), gbkCodec());
}

}  // namespace

TEST(PayloadCheck, AFitArchivePassesAndEachProblemIsRefusedInALineOfItsOwn) {
  EXPECT_EQ(lines(check({})), std::vector<std::string>{});

  const std::string utf8ReadMe = "\xE4\xBD\xBF\xE7\x94\xA8\xE8\xAF\xB4\xE6\x98\x8E.txt";  // 使用说明.txt, unflagged
  const auto problems = check({
      {"secret.dll", "xx", 0, 1},
      {"../outside.dll", "x"},
      {"images/aux.txt", "x"},
      {"images/trailing. ", "x"},
      {"Auxiliary/player.css", "a"},
      {"Auxiliary/PLAYER.CSS", "b"},
      {"play", "a file"},
      {"play/local.htm", "where a folder goes"},
      {utf8ReadMe, "ambiguous"},
      {"\xF0\x9F\x98\x80.png", "no GBK spelling", Z_DEFLATED, 1u << 11},
      {std::string(240, 'd') + ".dll", "deep"},
  });
  const std::vector<std::string> expected{
      "secret.dll: is encrypted, and the installer has no password",
      "../outside.dll: would leave the installation folder (absolute, a drive, or \"..\")",
      "images/aux.txt: has \"aux.txt\", a name Windows cannot hold (a device name, a trailing dot or space, or one of "
      "<>:\"|?*)",
      "images/trailing. : has \"trailing. \", a name Windows cannot hold (a device name, a trailing dot or space, or "
      "one "
      "of <>:\"|?*)",
      "Auxiliary/PLAYER.CSS: names the same file as \"Auxiliary/player.css\" when letter case is ignored",
      "play/local.htm: is a file and a folder at once with \"play\"",
      utf8ReadMe +
          ": is not flagged as UTF-8 but its bytes are UTF-8; the installer reads them as GBK, "
          "\"\xE6\xB5\xA3\xE8\xB7\xA8\xE6\x95\xA4\xE7\x92\x87\xE5\xAD\x98\xE6\xA7\x91.txt\"",
      "\xF0\x9F\x98\x80.png: is flagged as UTF-8 but has no GBK spelling, and the installer forms its paths in GBK",
      std::string(240, 'd') +
          ".dll: is 274 characters long under C:\\Program Files (x86)\\Talvek\\, past the "
          "system's limit of 259",
  };
  EXPECT_EQ(lines(problems), expected);
  for (const auto& problem : problems) EXPECT_FALSE(problem.fix.empty()) << problem.entry;
}

TEST(PayloadCheck, DamagedDataAndMissingMembersAreRefused) {
  auto bytes = makeZip({{"Talvek.exe", std::string(5000, 'p')}});
  // The stored checksum no longer fits the data.
  const std::string name = "Talvek.exe";
  const auto header = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(header, bytes.end());
  *(header - 30 + 14) ^= 0xFF;                                                          // the local header's CRC
  *(std::search(header + 1, bytes.end(), name.begin(), name.end()) - 46 + 16) ^= 0xFF;  // the central one's
  EXPECT_EQ(lines(checkPayload(bytes, gbkCodec())),
            (std::vector<std::string>{"Talvek.exe: does not inflate to its stated size and checksum",
                                      "Remover.exe: is missing, and the installer relies on it",
                                      "\xE4\xBD\xBF\xE7\x94\xA8\xE8\xAF\xB4\xE6\x98\x8E.txt: is missing, and the "
                                      "installer relies on it",
                                      "Auxiliary\\Beacon.exe: is missing, and the installer relies on it"}));
}

// What Python's zipfile makes: names flagged as UTF-8, Zip64 records and
// data descriptors are all the installer reads; bzip2 is refused.
TEST(PayloadCheck, AnArchiveFromPythonsZipfileIsReadAsTheInstallerReadsIt) {
  const std::string path = tempPath("talvek-payload-python.zip");
  const std::string script =
      "import zipfile,sys\n"
      "with zipfile.ZipFile(sys.argv[1],'w',zipfile.ZIP_DEFLATED) as z:\n"
      " for n in ['Talvek.exe','Remover.exe','\\u4f7f\\u7528\\u8bf4\\u660e.txt','Auxiliary/Beacon.exe',"
      "'images/\\u65b0\\u795e\\u5668.png']:\n"
      "  with z.open(n,'w',force_zip64=True) as f: f.write(b'x'*1000)\n"
      " z.writestr(zipfile.ZipInfo('images/big.bmp'),b'y'*1000,compress_type=zipfile.ZIP_BZIP2)\n";
  const std::string scriptPath = tempPath("talvek-payload-python.py");
  std::ofstream(scriptPath) << script;
  ASSERT_EQ(std::system(("timeout 60 python3 " + scriptPath + " " + path).c_str()), 0);
  const auto problems = checkPayload(readAll(path), gbkCodec());
  std::filesystem::remove(path);
  std::filesystem::remove(scriptPath);
  EXPECT_EQ(
      lines(problems),
      std::vector<std::string>{
          "images/big.bmp: compressed with method 12 (bzip2 is 12, LZMA 14), which the installer cannot inflate"});
}

TEST(PayloadCheck, WindowsNamesAreJudgedByCharacterNotByByte) {
  EXPECT_TRUE(windowsRefusesName("CON"));
  EXPECT_TRUE(windowsRefusesName("lpt9.log"));
  EXPECT_TRUE(windowsRefusesName("a?b"));
  EXPECT_TRUE(windowsRefusesName("tab\tname"));
  EXPECT_FALSE(windowsRefusesName("console.txt"));
  EXPECT_FALSE(windowsRefusesName("COM10"));
  // "朊" in GBK is 0xEB 0x7C: its second byte is '|', and it is one letter.
  EXPECT_FALSE(windowsRefusesName("\xEB\x7C.txt"));
}
