#include "netutil/CodePageText.h"

#include <windows.h>

#include <cstring>

#include "netutil/PercentDecoding.h"
#include "toolkit/core/CodePage.h"

namespace talvek {
namespace {

constexpr UINT kChineseCodePage = 936;

std::string wideBytesOf(const std::wstring& wide) {
  return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

std::wstring utf8ToWide(std::string_view utf8) { return toWide(utf8, CP_UTF8); }

std::string wideToChinese(std::wstring_view wide, DWORD flags) {
  if (wide.empty()) return {};
  int length = WideCharToMultiByte(kChineseCodePage, flags, wide.data(),
                                   static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    WideCharToMultiByte(kChineseCodePage, flags, wide.data(), static_cast<int>(wide.size()),
                        text.data(), length, nullptr, nullptr);
  }
  return text;
}

}  // namespace

std::string toUtf16(std::string_view utf8) {
  std::wstring wide = utf8ToWide(utf8.substr(0, utf8.find('\0')));
  wide.push_back(L'\0');
  return wideBytesOf(wide);
}

std::string fromUtf16(std::string_view utf16) {
  std::wstring wide(utf16.size() / sizeof(wchar_t), L'\0');
  std::memcpy(wide.data(), utf16.data(), wide.size() * sizeof(wchar_t));
  return wideToChinese(std::wstring_view(wide.c_str()), 0);
}

std::string utf8ToUtf16(std::string_view utf8) { return wideBytesOf(utf8ToWide(utf8)); }

std::string utf8ToGbk(std::string_view utf8) {
  return wideToChinese(utf8ToWide(utf8), WC_COMPOSITECHECK);
}

std::string percentDecode(std::string_view text, bool utf8) {
  std::string decoded = percentDecodeBytes(text);
  return utf8 ? fromUtf16(toUtf16(decoded)) : decoded;
}

}  // namespace talvek
