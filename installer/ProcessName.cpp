#include "installer/ProcessName.h"

#include "installer/GbkText.h"

namespace talvek {
namespace {

unsigned char foldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

}  // namespace

bool sameProcessName(std::string_view a, std::string_view b, bool caseSensitive) {
  if (a.size() != b.size()) return false;
  if (caseSensitive) return a == b;
  for (size_t i = 0; i < a.size(); ++i) {
    auto ca = static_cast<unsigned char>(a[i]);
    auto cb = static_cast<unsigned char>(b[i]);
    if (gbkCharLength(a, i) == 2) {
      // Both bytes of a two-byte character must match exactly.
      if (ca != cb || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (foldAscii(ca) != foldAscii(cb)) return false;
  }
  return true;
}

}  // namespace talvek
