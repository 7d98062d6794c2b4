#include "toolkit/core/EventDelivery.h"

#include "toolkit/core/EventRelay.h"
#include "toolkit/core/ReferenceTable.h"

namespace talvek {

int sendControlEventWithin(std::int32_t control, int code, std::intptr_t arg1, std::intptr_t arg2, unsigned waitMs) {
  try {
    if (std::optional<int> here = deliverOnOwnerThread(controlReferences(), control, code, arg1, arg2)) return *here;
    std::optional<std::thread::id> owner = controlReferences().ownerOf(control);
    if (!owner) return 0;
    return relayControlEvent(*owner, control, code, arg1, arg2, waitMs).value_or(0);
  } catch (...) {
    // A handler that fails has handled nothing.
    return 0;
  }
}

int sendControlEvent(std::int32_t control, int code, std::intptr_t arg1, std::intptr_t arg2) {
  return sendControlEventWithin(control, code, arg1, arg2, kWaitWithoutBound);
}

}  // namespace talvek
