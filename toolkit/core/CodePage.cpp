#include "toolkit/core/CodePage.h"

#include <windows.h>

namespace talvek {

ByteBlock fromAnsi(std::string_view text) {
  const std::wstring wide = toWide(text.substr(0, text.find('\0')));
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(wide.data());
  return ByteBlock(bytes, bytes + wide.size() * sizeof(wchar_t));
}

// Characters the code page cannot hold become the system's default
// character ('?'); a zero there would silently cut the text short.
std::string toCodePage(std::u16string_view text, unsigned codePage) {
  if (text.empty()) return {};
  auto wide = reinterpret_cast<const wchar_t*>(text.data());
  int length = static_cast<int>(text.size());
  int size = WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, wide, length, out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring toWide(std::string_view text, unsigned codePage) {
  if (text.empty()) return {};
  int units = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
  return wide;
}

std::string fromWide(std::wstring_view text, unsigned codePage) {
  return toCodePage(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()), codePage);
}

std::u16string ansiToUtf16(std::string_view ansi) {
  const std::wstring wide = toWide(ansi);
  return std::u16string(wide.begin(), wide.end());
}

}  // namespace talvek
