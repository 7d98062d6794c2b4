#include "installer/InstanceGuard.h"

#include <windows.h>

namespace talvek {

bool openOrCreateInstanceEvent(std::string& name) {
  if (name.empty()) name = "aiqc";
  if (OpenEventA(EVENT_ALL_ACCESS, FALSE, name.c_str())) return true;
  // A failure here leaves the installer unguarded, which is still usable.
  CreateEventA(nullptr, FALSE, FALSE, name.c_str());
  return false;
}

}  // namespace talvek
