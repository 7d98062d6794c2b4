// The system's random source, asked directly: no cryptographic provider to
// start and no runtime set-up, so it also serves before the C runtime has
// started (the installer's entry draws the stack canary with it). Kept in
// the header: nothing to link, and no call that could check a canary. Each
// caller keeps its own answer to a failed draw.
#pragma once

#include <windows.h>

#include <ntsecapi.h>

namespace talvek {

// Fills `size` bytes at `buffer`; false when the source failed.
__attribute__((no_stack_protector)) inline bool drawSystemRandom(void* buffer, unsigned long size) {
  return RtlGenRandom(buffer, size) != FALSE;
}

}  // namespace talvek
