// Which Windows this is, read so that no compatibility shim can disguise it.
#pragma once

namespace talvek {

// See VersionCode.h for the values.
int windowsVersionCode();
bool isWindowsXp();

}  // namespace talvek
