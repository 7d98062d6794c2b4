// Whatever image path another process reports, a match means the path
// really continues the folder with a separator and a name, and the check
// never reads past either text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "installer/ImageLocation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte splits the input into a folder and an image path, two
  // bytes to a character as the system's paths are.
  if (size < 1) return 0;
  std::wstring text;
  for (std::size_t i = 1; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  const std::size_t split = text.empty() ? 0 : data[0] % (text.size() + 1);
  const std::wstring folder = text.substr(0, split);
  const std::wstring image = text.substr(split);
  if (!talvek::imageLiesInFolder(image, folder)) return 0;
  if (image.size() <= 2 || image.back() == L'\\' || image.back() == L'/') std::abort();
  return 0;
}
