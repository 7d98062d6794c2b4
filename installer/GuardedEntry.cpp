// The entry point of the shipped executables. The runtime's own start-up
// and the static initialisers it runs may already load libraries, so the
// search is restricted before the runtime gets control.
#include <windows.h>

#include "installer/SystemLibraries.h"
#include "toolkit/core/SystemRandom.h"

extern "C" int WinMainCRTStartup();
// The stack canary's value, owned by the compiler's support library.
extern "C" void* __stack_chk_guard;

namespace {

// The support library draws the canary in a static initialiser through the
// cryptographic provider, whose start-up (three libraries and their TLS
// stack) costs more than the rest of the program's start before its first
// frame; it keeps a value already drawn. The same system random source,
// asked directly, costs nothing of the kind. Runs before any function that
// checks the canary has stored the old value, and checks none itself.
__attribute__((no_stack_protector)) void drawStackCanary() {
  void* drawn = nullptr;
  if (talvek::drawSystemRandom(&drawn, sizeof drawn) && drawn != nullptr) __stack_chk_guard = drawn;
}

}  // namespace

extern "C" __attribute__((no_stack_protector)) int guardedEntry() {
  talvek::restrictLibrarySearchToSystemFolder();
  drawStackCanary();
  return WinMainCRTStartup();
}
