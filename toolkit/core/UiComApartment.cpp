#include "toolkit/core/UiComApartment.h"

#include <windows.h>

#include <atomic>

#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

std::atomic<DWORD> apartmentThread{0};

}  // namespace

bool enterUiApartment() {
  static const bool entered = [] {
    static ComApartment apartment;
    if (apartment.entered()) apartmentThread.store(GetCurrentThreadId());
    return apartment.entered();
  }();
  return entered;
}

bool inUiApartment() {
  const DWORD thread = apartmentThread.load();
  return thread != 0 && thread == GetCurrentThreadId();
}

}  // namespace talvek
