// The entries of an archive held in memory, as the installation will lay
// them out: for planning what it replaces and how much room it needs.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "installer/KeepAsidePlan.h"

namespace talvek {

// Nothing when the archive's central directory cannot be read. Entries
// whose names would leave the installation folder are left out: the
// extraction refuses them anyway.
std::optional<std::vector<PlannedEntry>> listArchive(std::span<const std::uint8_t> archive);

}  // namespace talvek
