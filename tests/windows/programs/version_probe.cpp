// Exits with windowsVersionCode(), so a test can run it under each of
// Wine's version settings.
#include <windows.h>

#include "installer/SystemVersion.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return talvek::windowsVersionCode(); }
