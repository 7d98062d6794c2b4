// The entry point of the shipped executables. The runtime's own start-up
// and the static initialisers it runs may already load libraries, so the
// search is restricted before the runtime gets control.
#include "installer/SystemLibraries.h"

extern "C" int WinMainCRTStartup();

extern "C" int guardedEntry() {
  talvek::restrictLibrarySearchToSystemFolder();
  return WinMainCRTStartup();
}
