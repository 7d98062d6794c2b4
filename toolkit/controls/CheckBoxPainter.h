// The check box's look: the box (shrunk by the animation inset), the
// caption to its right and the check mark, or the greyed disabled look.
#pragma once

#include <string_view>

#include "toolkit/controls/CheckBoxState.h"
#include "toolkit/core/TextStyle.h"

namespace talvek {

inline constexpr Argb kDefaultBoxColor = 0xFFFFFFFF;
inline constexpr Argb kDefaultMarkColor = 0xC80088FF;  // ARGB(200, 0, 136, 255)
inline constexpr Argb kDisabledColor = 0xFFC0C0C0;     // silver

// The program's own 15 × 14 check mark, decoded (empty if GDI+ is not running).
GdiplusBitmap checkMarkImage();

// The caption style without a caller's description: bold, left-aligned,
// vertically centred, size 12, white, with a blue glow colour.
TextStyleDescription defaultCheckBoxCaptionStyle();

struct CheckBoxLook {
  const CheckBoxState& state;
  bool disabled;
  Argb boxColor;
  const TextStyle& captionStyle;
  std::u16string_view caption;
  Gdiplus::GpImage* mark;
};

void paintCheckBox(Gdiplus::GpGraphics* graphics, const CheckBoxLook& look);

}  // namespace talvek
