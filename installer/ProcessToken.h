// The account this process runs as, as its token names it.
#pragma once

#include <string>

#include "installer/LaunchRoute.h"

namespace talvek {

// The rights of this process's token.
Elevation currentElevation();

// The user's SID as text ("S-1-5-21-…"); empty when the token cannot tell.
std::wstring currentUserSid();

}  // namespace talvek
