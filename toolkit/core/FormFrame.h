// What a form paints before any control: shadow, background, icon, title
// and the border outlines, in that order.
#pragma once

#include <string>

#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/MemoryCanvas.h"
#include "toolkit/core/Rect.h"
#include "toolkit/core/TextStyle.h"

namespace talvek {

struct FrameLook {
  int frameInset = 0;
  bool shadow = false;  // layered with shadow
  int cornerRadius = 0;
  Argb shadowColour = 0;
  Gdiplus::GpImage* backgroundImage = nullptr;
  Argb backgroundColor = 0;
  Gdiplus::GpImage* icon = nullptr;  // 16 x 16 at the caption's left
  const TextStyle* titleStyle = nullptr;
  std::u16string title;
  Rect captionRect;
  Argb colour1 = 0;
  Argb colour2 = 0;
};

inline constexpr Argb kOuterOutline = colorFromRgb(0x808080, 50);

// Where the title text goes: further right when an icon is shown.
Rect titleRect(const FrameLook& look);

void drawFrame(const MemoryCanvas& canvas, const FrameLook& look);

// The representative colour of an image: the image drawn into a single
// pixel with nearest-neighbour sampling.
Argb representativeColour(Gdiplus::GpImage* image);

}  // namespace talvek
