#include <windows.h>

#include <float.h>

#include "installer/Payload.h"
#include "installer/StartupRoutine.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // A known floating-point and string-direction state before anything draws.
  _fpreset();
  __asm__ volatile("cld");
  return talvek::startupRoutine(talvek::payloadBytes());
}
