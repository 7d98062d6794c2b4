#include "installer/UninstallReport.h"

#include <string_view>

#include "installer/WideDecimal.h"

namespace talvek {
namespace {

constexpr wchar_t kIncomplete[] = L"Talvek \u672A\u80FD\u5B8C\u5168\u5378\u8F7D\uFF1A";  // Talvek 未能完全卸载：
constexpr wchar_t kMoreStart[] = L"\u7B49 ";                                             // 等
constexpr wchar_t kMoreEnd[] = L" \u9879";                                               // 项
// 卸载信息已保留，可以稍后再次卸载。
constexpr wchar_t kTryAgain[] =
    L"\u5378\u8F7D\u4FE1\u606F\u5DF2\u4FDD\u7559\uFF0C\u53EF\u4EE5\u7A0D\u540E\u518D\u6B21\u5378\u8F7D\u3002";

// The system's texts end in a full stop and a line break.
std::wstring_view withoutTrailingSpace(std::wstring_view text) {
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

std::wstring incompleteMessage(const std::vector<LeftItemText>& items) {
  std::wstring message = kIncomplete;
  for (std::size_t i = 0; i < items.size() && i < kNamedLeftItems; ++i) {
    message += L"\n" + items[i].what + L"\uFF08" + std::wstring(withoutTrailingSpace(items[i].why)) + L"\uFF09";
  }
  if (items.size() > kNamedLeftItems) {
    message += L"\n" + std::wstring(kMoreStart) + wideDecimal(static_cast<unsigned long>(items.size())) + kMoreEnd;
  }
  return message + L"\n\n" + kTryAgain;
}

}  // namespace talvek
