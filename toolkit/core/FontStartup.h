// Chooses the default font and sets the toolkit's text defaults, loading
// the built-in skin on the way. Part of toolkit start-up, after GDI+.
#pragma once

#include "toolkit/core/WideText.h"

namespace talvek {

// True when GDI+ finds an installed family of that name (false when GDI+
// is not running).
bool fontFamilyExists(const WideText& name);

void fontAndSkinStartup();

}  // namespace talvek
