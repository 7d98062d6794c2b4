#include "installer/PrivateFolderRights.h"

namespace talvek {
namespace {

// Protected: nothing inherited. Each entry grants full access and is
// inherited by files and folders made inside.
constexpr wchar_t kProtectedList[] = L"D:P";
constexpr wchar_t kSystem[] = L"(A;OICI;FA;;;SY)";
constexpr wchar_t kAdministrators[] = L"(A;OICI;FA;;;BA)";

bool isSidText(std::wstring_view text) {
  constexpr std::wstring_view kStart = L"S-1-";
  if (text.size() <= kStart.size() || text.substr(0, kStart.size()) != kStart || text.back() == L'-') return false;
  wchar_t previous = L'-';
  for (wchar_t c : text.substr(kStart.size())) {
    const bool digit = c >= L'0' && c <= L'9';
    if (!digit && (c != L'-' || previous == L'-')) return false;
    previous = c;
  }
  return true;
}

}  // namespace

// A system that cannot say whether a program is elevated knows no
// elevation (before Vista): the account is all there is to name.
std::wstring privateFolderRights(Elevation elevation, std::wstring_view userSid) {
  if (elevation == Elevation::Elevated) return std::wstring(kProtectedList) + kSystem + kAdministrators;
  if (!isSidText(userSid)) return {};
  return std::wstring(kProtectedList) + kSystem + L"(A;OICI;FA;;;" + std::wstring(userSid) + L")";
}

}  // namespace talvek
