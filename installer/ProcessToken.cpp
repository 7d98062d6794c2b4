#include "installer/ProcessToken.h"

#include <windows.h>

#include <sddl.h>

#include <vector>

#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

std::vector<unsigned char> tokenInformation(TOKEN_INFORMATION_CLASS kind) {
  Handle token;
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
  token.reset(raw);
  DWORD size = 0;
  GetTokenInformation(token.get(), kind, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  if (size == 0 || !GetTokenInformation(token.get(), kind, buffer.data(), size, &size)) return {};
  return buffer;
}

}  // namespace

Elevation currentElevation() {
  // Systems before Vista know no elevation: an administrator there has
  // full rights in every program, the shell included.
  const auto elevation = tokenInformation(TokenElevation);
  if (elevation.size() < sizeof(TOKEN_ELEVATION)) return Elevation::Unknown;
  return reinterpret_cast<const TOKEN_ELEVATION*>(elevation.data())->TokenIsElevated ? Elevation::Elevated
                                                                                     : Elevation::NotElevated;
}

std::wstring currentUserSid() {
  const auto user = tokenInformation(TokenUser);
  wchar_t* sid = nullptr;
  if (user.empty() || !ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid, &sid)) {
    return {};
  }
  const LocalMemory text(sid);
  return sid;
}

}  // namespace talvek
