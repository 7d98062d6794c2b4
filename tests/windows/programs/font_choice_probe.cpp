// Runs the toolkit's font and skin start-up in a fresh process (fonts are
// enumerated once per process) and exits with 1 when the default family is
// the modern face, 2 when it is the fallback, 3 otherwise.
#include <windows.h>

#include "toolkit/core/DefaultFontChoice.h"
#include "toolkit/core/FontStartup.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/ToolkitSettings.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  talvek::GdiplusSession gdiplus;
  talvek::fontAndSkinStartup();
  std::u16string chosen = talvek::defaultFontName().toUtf16();
  if (chosen == talvek::kPreferredFontFamily) return 1;
  if (chosen == talvek::kFallbackFontFamily) return 2;
  return 3;
}
