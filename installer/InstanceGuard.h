// Lets only one copy of the installer run.
#pragma once

#include <string>

namespace talvek {

inline constexpr char kInstanceEventName[] = "instrallTalvek";

// True when another instance already holds the named event; false when this
// process has just created it. An empty name becomes "aiqc" (the caller sees
// it). The event handle stays open for the life of the process on purpose:
// the event exists only to be found by a later instance.
bool openOrCreateInstanceEvent(std::string& name);

}  // namespace talvek
