// Packs a product tree into the installer's payload archive, deterministically:
// entries sorted by name (a directory's files, then its subdirectories, each
// directory entry before what it holds), one fixed timestamp, names in code
// page 936 as the installer forms its paths in it.
//
//   payload_zip [--level N] SOURCE_DIR OUTPUT.zip
//
// The timestamp is SOURCE_DATE_EPOCH when set, else 2020-01-01 00:00:00.
#include <iconv.h>
#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr unsigned kDosDirectory = 0x10;
constexpr unsigned kDosArchive = 0x20;
constexpr int kMadeByMsDos20 = 20;

std::string toGbk(const std::string& utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return {};
  out.resize(out.size() - outLeft);
  return out;
}

zip_fileinfo fixedInfo(unsigned attributes) {
  std::time_t when = 1577836800;  // 2020-01-01 00:00:00 UTC
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) when = std::strtoll(epoch, nullptr, 10);
  std::tm utc{};
  gmtime_r(&when, &utc);
  zip_fileinfo info{};
  info.tmz_date.tm_sec = utc.tm_sec;
  info.tmz_date.tm_min = utc.tm_min;
  info.tmz_date.tm_hour = utc.tm_hour;
  info.tmz_date.tm_mday = utc.tm_mday;
  info.tmz_date.tm_mon = utc.tm_mon;
  info.tmz_date.tm_year = utc.tm_year + 1900;
  info.external_fa = attributes;
  return info;
}

struct Packer {
  zipFile zip;
  int level;
  int entries = 0;

  bool add(const std::string& utf8Name, const std::vector<char>& data, bool directory) {
    std::string name = toGbk(utf8Name);
    if (name.empty()) {
      std::fprintf(stderr, "payload_zip: %s has no GBK spelling\n", utf8Name.c_str());
      return false;
    }
    zip_fileinfo info = fixedInfo(directory ? kDosDirectory : kDosArchive);
    // Directories and empty files are stored; everything else is deflated.
    int method = (directory || data.empty()) ? 0 : Z_DEFLATED;
    if (zipOpenNewFileInZip4_64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, method,
                                method ? level : 0, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                nullptr, 0, kMadeByMsDos20, 0, 0) != ZIP_OK) {
      return false;
    }
    bool ok = data.empty() || zipWriteInFileInZip(zip, data.data(), static_cast<unsigned>(data.size())) == ZIP_OK;
    ok = zipCloseFileInZip(zip) == ZIP_OK && ok;
    ++entries;
    return ok;
  }

  bool addTree(const fs::path& dir, const std::string& prefix) {
    std::vector<fs::directory_entry> files, dirs;
    for (const auto& entry : fs::directory_iterator(dir)) {
      (entry.is_directory() ? dirs : files).push_back(entry);
    }
    auto byName = [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); };
    std::sort(files.begin(), files.end(), byName);
    std::sort(dirs.begin(), dirs.end(), byName);
    for (const auto& file : files) {
      std::ifstream in(file.path(), std::ios::binary);
      std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (!add(prefix + file.path().filename().string(), data, false)) return false;
    }
    for (const auto& sub : dirs) {
      std::string name = prefix + sub.path().filename().string() + "/";
      if (!add(name, {}, true) || !addTree(sub.path(), name)) return false;
    }
    return true;
  }
};

}  // namespace

int main(int argc, char** argv) {
  int level = 9;
  int arg = 1;
  if (argc > 2 && std::string(argv[1]) == "--level") {
    level = std::atoi(argv[2]);
    arg = 3;
  }
  if (argc - arg != 2) {
    std::fprintf(stderr, "usage: payload_zip [--level N] SOURCE_DIR OUTPUT.zip\n");
    return 2;
  }
  fs::path source = argv[arg];
  std::string output = argv[arg + 1];
  if (!fs::is_directory(source)) {
    std::fprintf(stderr, "payload_zip: %s is not a directory\n", source.c_str());
    return 1;
  }
  Packer packer{zipOpen64(output.c_str(), APPEND_STATUS_CREATE), level};
  if (!packer.zip) {
    std::fprintf(stderr, "payload_zip: cannot create %s\n", output.c_str());
    return 1;
  }
  bool ok = packer.addTree(source, "");
  ok = zipClose(packer.zip, nullptr) == ZIP_OK && ok;
  if (!ok) {
    std::remove(output.c_str());
    return 1;
  }
  std::printf("payload_zip: %d entries -> %s\n", packer.entries, output.c_str());
  return 0;
}
