// Process-wide values that forms keep for the drawing layer and the
// control base.
#pragma once

#include <optional>

#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/ByteBlock.h"

namespace talvek {

// The toolkit accent colour; a form with accentFromBackground sets it when
// it gets the focus.
extern Argb accentColor;
// layered and shadow of the form the mouse last moved over.
extern int lastMouseFormLayered;
extern int lastMouseFormShadow;

// Background image bytes for forms created without their own; empty unless
// set.
const ByteBlock& defaultFormBackground(const std::optional<ByteBlock>& newValue = std::nullopt);

}  // namespace talvek
