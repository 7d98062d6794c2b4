// Who may use a folder a program makes for itself in a folder others can
// write to (the remover's copy in the temp folder). Whoever can write
// there can put a library or a program of their own beside the copy, or
// in its place, and have it run with the copy's rights. So only the
// account at the level it runs at may: for an elevated program the
// Administrators, otherwise the account itself, and in both cases the
// system. Nothing is taken over from the folder above.
#pragma once

#include <string>
#include <string_view>

#include "installer/LaunchRoute.h"

namespace talvek {

// The folder's security descriptor in the system's descriptor language,
// its entries passed on to everything made in it. Empty when `userSid` is
// needed and is no SID ("S-1-5-21-…"): no rule is better than a wrong one.
std::wstring privateFolderRights(Elevation elevation, std::wstring_view userSid);

}  // namespace talvek
