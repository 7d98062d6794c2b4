// Process-wide settings of forms.
#pragma once

#include <optional>

#include "toolkit/core/ByteBlock.h"

namespace talvek {

// Background image bytes for forms created without their own; empty unless
// set.
const ByteBlock& defaultFormBackground(const std::optional<ByteBlock>& newValue = std::nullopt);

}  // namespace talvek
